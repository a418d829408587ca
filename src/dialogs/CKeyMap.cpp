#include "dialogs/CKeyMap.h"

#include "dialogs/MacroEventMenu.h"

#include "controls/ProgramBitmaps.h"
#include "controls/VividTree.h"
#include "keymap/ApplyAssignment.h"
#include "keymap/BasicFunction.h"
#include "model/KeyTable.h"
#include "platform/KeyCapture.h"

#include <QFocusEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace quenlar::dialogs {

namespace {

struct ButtonLook {
    QRect rect;
    const char *normal;
    const char *over;
};

QRect inclusive(int left, int top, int right, int bottom) { return QRect(QPoint(left, top), QPoint(right, bottom)); }

const std::array<ButtonLook, CKeyMap::ButtonCount> &buttons() {
    static const std::array<ButtonLook, CKeyMap::ButtonCount> table{{
        {inclusive(303, 2, 318, 17), "button-close-normal.png", "button-close-over.png"},
        {inclusive(0, 31, 81, 57), "large_button.png", "large_button.png"},
        {inclusive(81, 31, 162, 57), "large_button.png", "large_button.png"},
        {inclusive(162, 31, 243, 57), "large_button.png", "large_button.png"},
        {inclusive(243, 31, 324, 57), "large_button.png", "large_button.png"},
        {inclusive(0, 30, 325, 36), "single_combine_option.png", "single_combine_option.png"},
        {inclusive(19, 251, 29, 260), "Disable.png", "Enable.png"},
        {inclusive(156, 246, 197, 268), "button-cancel-normal.png", "button-cancel-over.png"},
        {inclusive(210, 246, 251, 268), "button-cancel-normal.png", "button-cancel-over.png"},
        {inclusive(264, 246, 305, 268), "button-save-normal.png", "button-save-over.png"},
    }};
    return table;
}

constexpr int kDisableMargin = 5; // the Disable box's hit area is wider than its picture
constexpr int kRowStep = 30;
const QColor kGreyTitle(192, 192, 192);
constexpr int kTextHeight = 14;
const QString kControlStyle = QStringLiteral("background: rgb(109,109,109); color: white; border: none;");

struct RowText {
    const char *english;
    const char *chinese;
};
constexpr RowText kRowNames[kAdvanceRows] = {
    {"Play Sound", "播放声音"}, {"Startup", "启动程序"}, {"Open File", "打开文件"}, {"Open Folder", "打开目录"}};
const FileChooserSpec kChoosers[3] = {
    {"mp3 Files(*.mp3)", "*.mp3", "mp3"}, {"exe Files(*.exe)", "*.exe", "exe"}, {"txt Files(*.txt)", "*.txt", "txt"}};
constexpr int kMarkerX[] = {35, 115, 200, 280};
constexpr QPoint kTitleAt[] = {{6, 39}, {115, 39}, {182, 39}, {259, 39}};

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

CKeyMap::CKeyMap(const QString &programFolder, Language language, const KeyNameTable &names,
                 DialogServices &services, QWidget *parent)
    : SkinnedDialog(programFolder, language, controls::SkinWindow::KeyAssignment, parent), names_(names),
      services_(services), state_(names, language), capture_(new KeyCapture(this)) {
    setObjectName(QStringLiteral("CKeyMap"));
    sizeToBackground(QStringLiteral("Custom_BK.png"));
    connect(capture_, &KeyCapture::hookKey, this, &CKeyMap::onHookKey);

    tree_ = new controls::VividTree(this);
    tree_->setObjectName(QStringLiteral("functionTree"));
    tree_->setGeometry(10, 60, 295, 160);
    tree_->LoadTreeBitmaps();
    tree_->m_iBackgroundMode = controls::VividTree::SolidBackground;
    tree_->setTreeIcon(QIcon(QPixmap::fromImage(controls::ProgramBitmaps::programIcon(16))));
    tree_->setHeaderHidden(true);
    tree_->setFrameShape(QFrame::NoFrame);

    auto makeEdit = [this](const char *name, int y) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setGeometry(20, y, 280, 15);
        edit->setAlignment(Qt::AlignCenter);
        edit->setReadOnly(true); // keys come from the capture, never from typing
        edit->setFrame(false);
        edit->setStyleSheet(QStringLiteral("QLineEdit {") + kControlStyle + QStringLiteral("}"));
        edit->installEventFilter(this);
        return edit;
    };
    singleEdit_ = makeEdit("singleEdit", 89);
    combineEdit_ = makeEdit("combineEdit", 139);
    combineEdit_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(combineEdit_, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu(this);
        QAction *deleteAll = menu.addAction(tr2("Delete All", "全部删除"));
        deleteAll->setData(kDeleteAllCommand);
        if (execCommandMenu(menu, combineEdit_->mapToGlobal(at)) == kDeleteAllCommand) {
            state_.deleteAll();
            refreshEdits();
        }
    });

    macroList_ = new QListWidget(this);
    macroList_->setObjectName(QStringLiteral("macroList"));
    macroList_->setGeometry(20, 79, 280, 150);
    macroList_->setSelectionMode(QAbstractItemView::SingleSelection);
    macroList_->setFrameShape(QFrame::NoFrame);
    macroList_->setStyleSheet(QStringLiteral("QListWidget {") + kControlStyle +
                              QStringLiteral("} QListWidget::item:selected { background: rgb(102,46,47); }"));
}

CKeyMap::~CKeyMap() { removeHook(); }

void CKeyMap::prepare(int keyIndex, const HostKeyRecord &record, bool keyEnabled, const MacroTable &macros) {
    keyName_ = tr2("Current Key:", "当前按键:") + fromUtf8(names_.name(keyAt(keyIndex).virtualKey));
    hover_.fill(0);
    lastHover_.reset();
    browseHover_ = kNoRow;
    buildTree();
    macroList_->clear();
    for (const MacroRecord &macro : macros) {
        if (!macro.named())
            break;
        const std::u16string_view name = macro.nameView();
        macroList_->addItem(QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size())));
    }
    state_.open(record, keyEnabled);
    if (!state_.request().functionName.empty())
        selectTreeFunction(QString::fromStdString(state_.request().functionName));
    if (const auto macro = state_.macroSelection(); macro && *macro < macroList_->count())
        macroList_->setCurrentRow(*macro);
    showCurrentPage();
    refreshEdits();
    if (state_.focusAtOpen() == AssignmentCategory::Single)
        singleEdit_->setFocus(Qt::OtherFocusReason);
    else if (state_.focusAtOpen() == AssignmentCategory::Combine)
        combineEdit_->setFocus(Qt::OtherFocusReason);
    else if (state_.page() == AssignmentPage::Macro)
        macroList_->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
    removeHook();
    hookInstalled_ = capture_->installhook(this, KeyCapture::kModeOnePerPress);
}

void CKeyMap::buildTree() {
    tree_->clear();
    QTreeWidgetItem *group = nullptr;
    QString groupName;
    for (const BasicFunction &function : basicFunctions()) {
        const QString name = fromUtf8(function.name(language()));
        const QString inGroup = fromUtf8(function.group(language()));
        if (inGroup.isEmpty()) {
            tree_->addTopLevelItem(new QTreeWidgetItem(QStringList{name}));
            continue;
        }
        if (!group || groupName != inGroup) {
            group = new QTreeWidgetItem(QStringList{inGroup});
            groupName = inGroup;
            tree_->addTopLevelItem(group);
        }
        group->addChild(new QTreeWidgetItem(QStringList{name}));
    }
}

void CKeyMap::selectTreeFunction(const QString &name) {
    const QList<QTreeWidgetItem *> found = tree_->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty())
        return;
    if (found.first()->parent())
        found.first()->parent()->setExpanded(true);
    tree_->setCurrentItem(found.first());
}

void CKeyMap::showCurrentPage() {
    const AssignmentPage page = state_.page();
    singleEdit_->setVisible(page == AssignmentPage::SingleCombine);
    combineEdit_->setVisible(page == AssignmentPage::SingleCombine);
    macroList_->setVisible(page == AssignmentPage::Macro);
    tree_->setVisible(page == AssignmentPage::Basic);
    update();
}

void CKeyMap::refreshEdits() {
    singleEdit_->setText(QString::fromStdString(state_.singleText()));
    singleEdit_->setCursorPosition(singleEdit_->text().size());
    combineEdit_->setText(QString::fromStdString(state_.combineText()));
    combineEdit_->setCursorPosition(combineEdit_->text().size());
}

void CKeyMap::onHookKey(int vk, bool release) {
    if (release)
        return;
    state_.hookKey(static_cast<uint8_t>(vk));
    refreshEdits();
}

void CKeyMap::removeHook() {
    if (hookInstalled_)
        capture_->removehook();
    hookInstalled_ = false;
}

void CKeyMap::done(int result) {
    removeHook();
    SkinnedDialog::done(result);
}

void CKeyMap::showEvent(QShowEvent *event) {
    SkinnedDialog::showEvent(event);
    activateWindow();
}

bool CKeyMap::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::FocusIn && (watched == singleEdit_ || watched == combineEdit_)) {
        // Only a focus the user gives counts; the window regaining the focus changes nothing.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            reason != Qt::OtherFocusReason) {
            if (watched == singleEdit_)
                state_.singleEditFocused();
            else
                state_.combineEditFocused();
            refreshEdits();
        }
    }
    return SkinnedDialog::eventFilter(watched, event);
}

QRect CKeyMap::buttonRect(Button button) { return buttons()[button].rect; }
QRect CKeyMap::radioRect(int row) { return inclusive(15, 72, 25, 81).translated(0, kRowStep * row); }
QRect CKeyMap::pathRect(int row) { return inclusive(83, 68, 243, 83).translated(0, kRowStep * row); }
QRect CKeyMap::browseRect(int row) { return inclusive(256, 68, 302, 83).translated(0, kRowStep * row); }

std::optional<CKeyMap::Button> CKeyMap::buttonAt(const QPoint &point) const {
    if (buttonRect(DisableBox).adjusted(-kDisableMargin, -kDisableMargin, kDisableMargin, kDisableMargin).contains(point))
        return DisableBox;
    for (int b = 0; b < ButtonCount; ++b)
        if (buttons()[b].rect.contains(point))
            return static_cast<Button>(b);
    return std::nullopt;
}

bool CKeyMap::onButton(const QPoint &point) const {
    if (buttonAt(point))
        return true;
    // The Advance page's radios and browse buttons are clicked, not dragged.
    if (state_.page() == AssignmentPage::Advance)
        for (int row = 0; row < kAdvanceRows; ++row)
            if (radioRect(row).contains(point) || browseRect(row).contains(point))
                return true;
    return false;
}

void CKeyMap::mouseMoveEvent(QMouseEvent *event) {
    SkinnedDialog::mouseMoveEvent(event);
    const QPoint point = event->position().toPoint();
    std::optional<Button> over = buttonAt(point);
    if (over == DisableBox || over == Strip)
        over.reset();
    int browse = kNoRow;
    if (state_.page() == AssignmentPage::Advance)
        for (int row = 0; row < kAdvanceRows; ++row)
            if (browseRect(row).contains(point))
                browse = row;
    if (over == lastHover_ && browse == browseHover_)
        return;
    lastHover_ = over;
    browseHover_ = browse;
    for (int b = 0; b < ButtonCount; ++b)
        if (b != DisableBox)
            hover_[b] = over && *over == b ? 1 : 0;
    update();
}

void CKeyMap::mouseReleaseEvent(QMouseEvent *event) {
    const bool wasDragging = dragging();
    SkinnedDialog::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && !wasDragging)
        click(event->position().toPoint());
}

void CKeyMap::click(const QPoint &point) {
    bool closeOk = false;
    if (const std::optional<Button> button = buttonAt(point)) {
        switch (*button) {
        case Close:
            reject();
            return;
        case PageSingle:
            if (state_.showPage(AssignmentPage::SingleCombine)) {
                showCurrentPage();
                refreshEdits();
                singleEdit_->setFocus(Qt::MouseFocusReason);
            }
            break;
        case PageMacro:
            state_.showPage(AssignmentPage::Macro);
            break;
        case PageBasic:
            if (state_.showPage(AssignmentPage::Basic) && tree_->topLevelItemCount() > 0)
                tree_->setCurrentItem(tree_->topLevelItem(0));
            break;
        case PageAdvance:
            state_.showPage(AssignmentPage::Advance);
            break;
        case Strip:
            break;
        case DisableBox:
            state_.toggleDisable();
            break;
        case Default:
            state_.chooseDefault();
            closeOk = true;
            break;
        case Cancel:
            state_.cancel();
            reject();
            return;
        case Save: {
            const QList<QListWidgetItem *> macros = macroList_->selectedItems();
            const int macro = macros.isEmpty() ? -1 : macroList_->row(macros.first());
            std::optional<KeyAssignmentState::TreeChoice> choice;
            const QList<QTreeWidgetItem *> items = tree_->selectedItems();
            if (!items.isEmpty()) {
                const QString text = items.first()->text(0);
                bool group = false;
                for (const BasicFunction &function : basicFunctions())
                    group = group || text == fromUtf8(function.group(language()));
                choice = KeyAssignmentState::TreeChoice{text.toStdString(), group};
            }
            const KeyAssignmentState::SaveResult result = state_.save(macro, choice);
            if (!result.message.empty())
                services_.inform(result.message, applicationCaption());
            closeOk = result.outcome == KeyAssignmentState::Outcome::Ok;
            break;
        }
        case ButtonCount:
            break;
        }
    }
    if (state_.page() == AssignmentPage::Advance)
        clickAdvanceCells(point);
    showCurrentPage();
    if (closeOk)
        accept();
}

void CKeyMap::clickAdvanceCells(const QPoint &point) {
    for (int row = 0; row < kAdvanceRows; ++row) {
        if (radioRect(row).contains(point)) {
            state_.clickRadio(row);
            return;
        }
        if (browseRect(row).contains(point)) {
            browse(row);
            return;
        }
        if (pathRect(row).contains(point) || inclusive(30, 69, 72, 84).translated(0, kRowStep * row).contains(point))
            return;
    }
    state_.clickOutsideCells();
}

void CKeyMap::browse(int row) {
    state_.browseStarted(row);
    std::optional<std::filesystem::path> chosen;
    if (row < 3) {
        chosen = services_.chooseActionFile(kChoosers[row]);
    } else {
        chosen = services_.chooseFolder("modification path");
        if (chosen && chosen->empty()) {
            services_.inform(zh() ? "请选择文件夹\n" : "Please select a folder\n", applicationCaption());
            chosen.reset();
        }
    }
    if (!chosen)
        return;
    AssignmentRequest probe;
    probe.category = static_cast<AssignmentCategory>(4 + row);
    probe.actionPath = chosen->u16string();
    // A path that does not fit the key's record is refused, never cut short.
    if (Result fits = checkAssignment(probe, language()); !fits) {
        services_.inform(fits.message(), applicationCaption());
        return;
    }
    state_.browseChosen(row, probe.actionPath);
}

void CKeyMap::compose(QPainter &p) {
    const auto &table = buttons();
    auto drawButton = [&](int b) {
        image(p, QString::fromLatin1(hover_[b] ? table[b].over : table[b].normal), table[b].rect.left(),
              table[b].rect.top());
    };
    image(p, QStringLiteral("Custom_BK.png"), 0, 0);
    text(p, keyName_, 2, 2, kTextHeight);
    for (int b = Close; b <= PageAdvance; ++b)
        drawButton(b);

    const int page = static_cast<int>(state_.page());
    image(p, QString::fromLatin1(table[Strip].normal), 0, 30);
    image(p, QStringLiteral("cursor.png"), kMarkerX[page], 30);
    for (int t = 0; t < 4; ++t)
        text(p, fromUtf8(pageTitle(static_cast<AssignmentPage>(t), language())), kTitleAt[t].x(), kTitleAt[t].y(),
             kTextHeight, t == page ? QColor(Qt::white) : kGreyTitle);
    if (state_.page() == AssignmentPage::SingleCombine) {
        text(p, tr2("Single", "单键"), 20, 69, kTextHeight);
        text(p, tr2("Combine", "组合键"), 20, 119, kTextHeight);
    } else if (state_.page() == AssignmentPage::Advance) {
        image(p, QStringLiteral("Macro_BK.png"), 15, 66);
        for (int row = 0; row < kAdvanceRows; ++row) {
            const int dy = kRowStep * row;
            const bool lit = row == state_.litRow() || row == state_.selectedRow();
            image(p, lit ? QStringLiteral("enable.png") : QStringLiteral("Disable.png"), 15, 72 + dy);
            fittedText(p, tr2(kRowNames[row].english, kRowNames[row].chinese), 30, 69 + dy, kTextHeight, 53);
            image(p, QStringLiteral("Advanced.png"), 85, 68 + dy);
            image(p, row == browseHover_ ? QStringLiteral("view02.png") : QStringLiteral("view.png"), 256, 68 + dy);
        }
        if (const int row = state_.selectedRow(); row != kNoRow) {
            const std::u16string shown = shortPathForField(state_.request().actionPath);
            p.save();
            p.setClipRect(pathRect(row).adjusted(2, 0, -2, 0));
            text(p, QString::fromStdU16String(shown), 85, 69 + kRowStep * row, kTextHeight);
            p.restore();
        }
    }

    image(p, state_.disableBox() ? QStringLiteral("Enable.png") : QStringLiteral("Disable.png"), 19, 251);
    text(p, tr2("Disable", "禁用按钮"), 34, 249, kTextHeight);
    for (int b = Default; b <= Save; ++b)
        drawButton(b);
    text(p, tr2("Default", "初始值"), 158, 248, kTextHeight);
    text(p, tr2("Cancel", "取消"), zh() ? 218 : 214, 248, kTextHeight);
    text(p, tr2("Save", "保存"), 272, 248, kTextHeight);
}

} // namespace quenlar::dialogs
