#include "dialogs/CKeyMap.h"
#include "dialogs/CKeyMapLayout.h"

#include "dialogs/MacroEventMenu.h"

#include "controls/ProgramBitmaps.h"
#include "controls/VividTree.h"
#include "keymap/BasicFunction.h"
#include "model/KeyTable.h"
#include "platform/KeyCapture.h"

#include <QFocusEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace quenlar::dialogs {

namespace {
using namespace keymap_layout;
const QString kControlStyle = QStringLiteral("background: rgb(109,109,109); color: white; border: none;");
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

} // namespace quenlar::dialogs
