#include "dialogs/CMacroRecordDlg.h"

#include "controls/ListEditRules.h"
#include "dialogs/MacroEventMenu.h"

#include <QIntValidator>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

namespace quenlar::dialogs {

namespace {

struct HotSpotLook {
    QRect rect;
    const char *normal;
    const char *over;
};


const std::array<HotSpotLook, CMacroRecordDlg::HotSpotCount> kHotSpots{{
    {inclusive(290, 100, 379, 124), "Record-normal.png", "Record-over.png"},
    {inclusive(368, 168, 382, 182), "Pane.png", "PaneMakingTick.png"},
    {inclusive(296, 315, 310, 329), "Pane.png", "PaneMakingTick.png"},
    {inclusive(20, 368, 77, 392), "button-new-normal.png", "button-new-over.png"},
    {inclusive(80, 368, 137, 392), "button-new-normal.png", "button-new-over.png"},
    {inclusive(280, 400, 337, 424), "button-new-normal.png", "button-new-over.png"},
    {inclusive(340, 400, 397, 424), "button-new-normal.png", "button-new-over.png"},
}};

constexpr int kTextHeight = 15;

bool isButton(CMacroRecordDlg::HotSpot spot) {
    return spot != CMacroRecordDlg::DelayBox && spot != CMacroRecordDlg::LoopBox;
}

QString fromView(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CMacroRecordDlg::CMacroRecordDlg(const QString &programFolder, Language language, const KeyNameTable &names,
                                 UserPrompts &prompts, MacroClock clock, QWidget *parent)
    : SkinnedDialog(programFolder, language, controls::SkinWindow::MacroManager, parent) {
    setObjectName(QStringLiteral("CMacroRecordDlg"));
    capture_.setMacroWindow(this);
    session_ = std::make_unique<MacroEditSession>(names, prompts, capture_, language, std::move(clock));
    connect(&capture_, &KeyCapture::hookKey, this, &CMacroRecordDlg::onHookKey);
    sizeToBackground(QStringLiteral("MacroManagement.png"));

    auto makeList = [this](const char *name, int x, controls::ListEditMode mode) {
        auto *list = new controls::CTransparentListBox(this);
        list->setObjectName(QString::fromLatin1(name));
        list->setGeometry(x, 80, 113, 275);
        list->SetAppearance(Qt::black, 2, 16, QStringLiteral("Arial"), Qt::white, QColor(0, 255, 255), true);
        list->SetEditMode(mode);
        // An in-place edit starting in either list (1780) stops recording.
        connect(list, &controls::CTransparentListBox::listEditBegin, this, [this] {
            session_->editStarting();
            update();
        });
        return list;
    };
    macroList_ = makeList("macroList", 20, controls::ListEditMode::PlainRename);
    eventList_ = makeList("eventList", 150, controls::ListEditMode::DelayEdit);
    eventList_->viewport()->installEventFilter(this);

    connect(macroList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (updatingLists_)
            return;
        copyNamesFromList();
        session_->selectMacro(row >= 0 && row < session_->macroCount() ? std::optional<int>(row) : std::nullopt);
        refreshEventList();
        refreshOptions();
    });
    connect(eventList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!updatingLists_)
            session_->selectLine(row >= 0 ? std::optional<int>(row) : std::nullopt);
    });
    // 1781 from the event list: a committed delay edit. The list writes the line itself; it is
    // rebuilt from the session afterwards, so a refused change shows the old delay again.
    connect(eventList_, &controls::CTransparentListBox::listEditDone, this, [this](int line, int ms) {
        session_->editDelay(line, ms);
        QTimer::singleShot(0, this, [this] { refreshEventList(); });
    });

    loopField_ = new QLineEdit(this);
    loopField_->setObjectName(QStringLiteral("loopField"));
    loopField_->setGeometry(296, 331, 84, 18);
    loopField_->setMaxLength(3);
    loopField_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), loopField_));
    loopField_->setFrame(false);
    loopField_->setStyleSheet(QStringLiteral(
        "QLineEdit { background: rgb(16,16,18); color: white; border: 1px solid rgb(58,58,64); padding-left: 4px; }"
        "QLineEdit:disabled { color: rgb(110,110,118); }"));
    connect(loopField_, &QLineEdit::textEdited, this, [this](const QString &text) {
        session_->setLoopFieldText(text.toStdString());
    });

    nameTimer_.setInterval(kNameTimerMs);
    connect(&nameTimer_, &QTimer::timeout, this, &CMacroRecordDlg::copyNamesFromList);
}

CMacroRecordDlg::~CMacroRecordDlg() {
    nameTimer_.stop();
    session_->close();
}

void CMacroRecordDlg::prepare(const MacroTable &master) {
    hover_.fill(0);
    lastHotSpot_.reset();
    session_->open(master);
    refreshMacroList();
    refreshEventList();
    refreshOptions();
    nameTimer_.start();
}

void CMacroRecordDlg::refreshMacroList() {
    updatingLists_ = true;
    macroList_->EndEdit(false);
    macroList_->clear();
    for (int i = 0; i < session_->macroCount(); ++i)
        macroList_->AddString(fromView(session_->macroName(i)));
    if (const auto selected = session_->selectedMacro())
        macroList_->setCurrentRow(*selected);
    updatingLists_ = false;
    macroList_->viewport()->update();
}

void CMacroRecordDlg::refreshEventList() {
    updatingLists_ = true;
    eventList_->EndEdit(false);
    eventList_->clear();
    for (const EventLine &line : session_->lines())
        eventList_->AddString(QString::fromStdString(line.text));
    if (const auto selected = session_->selectedLine())
        eventList_->setCurrentRow(*selected);
    else
        eventList_->setCurrentRow(-1);
    if (const auto selected = session_->selectedLine())
        eventList_->scrollToItem(eventList_->item(*selected));
    updatingLists_ = false;
    eventList_->viewport()->update();
}

void CMacroRecordDlg::refreshOptions() {
    loopField_->setText(QString::fromStdString(session_->loopFieldText()));
    loopField_->setEnabled(session_->loopMode());
    update();
}

void CMacroRecordDlg::copyNamesFromList() {
    // The names typed into the macro list reach the working table; a name the table cannot hold
    // is refused with a message and the list shows the old one again.
    if (copyingNames_ || macroList_->editor())
        return;
    copyingNames_ = true;
    const int count = std::min(macroList_->count(), session_->macroCount());
    for (int i = 0; i < count; ++i) {
        const std::u16string typed = macroList_->item(i)->text().toStdU16String();
        if (typed == session_->macroName(i))
            continue;
        const bool wasSelected = session_->selectedMacro() == i;
        if (!session_->renameMacro(i, typed)) {
            macroList_->item(i)->setText(fromView(session_->macroName(i)));
        } else if (!wasSelected) {
            refreshMacroList();
            refreshEventList();
            refreshOptions();
        }
    }
    copyingNames_ = false;
}

void CMacroRecordDlg::onHookKey(int vk, bool release) {
    session_->onHookKey(vk, release);
    refreshEventList();
}

QRect CMacroRecordDlg::hotSpotRect(HotSpot spot) { return kHotSpots[spot].rect; }

std::optional<CMacroRecordDlg::HotSpot> CMacroRecordDlg::hotSpotAt(const QPoint &point) const {
    for (int i = 0; i < HotSpotCount; ++i)
        if (kHotSpots[i].rect.contains(point))
            return static_cast<HotSpot>(i);
    return std::nullopt;
}

bool CMacroRecordDlg::onButton(const QPoint &point) const { return hotSpotAt(point).has_value(); }

void CMacroRecordDlg::mouseMoveEvent(QMouseEvent *event) {
    SkinnedDialog::mouseMoveEvent(event);
    const std::optional<HotSpot> spot = hotSpotAt(event->position().toPoint());
    if (spot == lastHotSpot_)
        return;
    lastHotSpot_ = spot;
    if (spot && !isButton(*spot))
        return;
    for (int i = 0; i < HotSpotCount; ++i)
        if (isButton(static_cast<HotSpot>(i)))
            hover_[i] = spot && *spot == i ? 1 : 0;
    update();
}

void CMacroRecordDlg::mouseReleaseEvent(QMouseEvent *event) {
    const bool wasDragging = dragging();
    SkinnedDialog::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || wasDragging)
        return;
    if (const auto spot = hotSpotAt(event->position().toPoint())) {
        lastHotSpot_ = spot;
        click(*spot);
    }
}

void CMacroRecordDlg::click(HotSpot spot) {
    switch (spot) {
    case Record:
        session_->toggleRecording();
        refreshEventList();
        break;
    case DelayBox:
        session_->toggleDelayMode();
        break;
    case LoopBox:
        session_->toggleLoopMode();
        refreshOptions();
        break;
    case New:
        copyNamesFromList();
        if (session_->newMacro()) {
            refreshMacroList();
            refreshEventList();
            refreshOptions();
        }
        break;
    case Delete:
        copyNamesFromList();
        session_->deleteMacro();
        refreshMacroList();
        refreshEventList();
        refreshOptions();
        break;
    case Ok:
        // Edits still open are committed first.
        macroList_->EndEdit(true);
        eventList_->EndEdit(true);
        copyNamesFromList();
        session_->accept();
        accept();
        return;
    case Cancel:
        reject();
        return;
    case HotSpotCount:
        break;
    }
    update();
}

bool CMacroRecordDlg::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (watched == eventList_->viewport() &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick || type == QEvent::MouseButtonRelease)) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        // The right button leaves the selection alone; its release opens the menu for the
        // selected line.
        if (mouse->button() == Qt::RightButton) {
            if (type == QEvent::MouseButtonRelease)
                showContextMenu(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return SkinnedDialog::eventFilter(watched, event);
}

void CMacroRecordDlg::showContextMenu(const QPoint &globalPos) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("eventMenu"));
    fillMacroEventMenu(menu, language());
    const std::optional<int> chosen = execCommandMenu(menu, globalPos);
    if (!chosen || !runMacroEventCommand(*session_, *chosen))
        return;
    refreshEventList();
}

void CMacroRecordDlg::done(int result) {
    nameTimer_.stop();
    macroList_->EndEdit(true);
    copyNamesFromList();
    if (result != QDialog::Accepted)
        session_->close();
    SkinnedDialog::done(result);
}

int CMacroRecordDlg::hotSpotState(HotSpot spot) const {
    if (spot == DelayBox)
        return session_->delayMode() ? 1 : 0;
    if (spot == LoopBox)
        return session_->loopMode() ? 1 : 0;
    return hover_[spot];
}

void CMacroRecordDlg::compose(QPainter &p) {
    image(p, QStringLiteral("MacroManagement.png"), 0, 0);
    for (int i = 0; i < HotSpotCount; ++i) {
        const int state = hotSpotState(static_cast<HotSpot>(i));
        image(p, QString::fromLatin1(state ? kHotSpots[i].over : kHotSpots[i].normal), kHotSpots[i].rect.left(),
              kHotSpots[i].rect.top());
    }
    text(p, tr2("Macro Manager", "宏管理器"), 16, 9, 18);
    text(p, tr2("Select Macro", "选择宏"), 39, 60, kTextHeight);
    fittedText(p, tr2("Keystrobe Sequence", "按键系列"), 151, 60, kTextHeight, 116); // within its list's header
    text(p, tr2("Options", "录制选项"), 311, 60, kTextHeight);
    if (session_->recording())
        text(p, tr2("Stop Recording", "停止录制"), zh() ? 310 : 292, 103, kTextHeight);
    else
        text(p, tr2("Start Recording", "开始录制"), zh() ? 310 : 292, 103, kTextHeight);
    if (zh()) {
        // Left of the delay box, which starts at x 368.
        fittedText(p, QStringLiteral("记录按键动作"), 290, 168, kTextHeight, 75);
        fittedText(p, QStringLiteral("间的延迟"), 290, 184, kTextHeight, 75);
    } else {
        text(p, QStringLiteral("Record Delay"), 290, 153, kTextHeight);
        text(p, QStringLiteral("between"), 290, 168, kTextHeight);
        text(p, QStringLiteral("keystrokes"), 290, 183, kTextHeight);
    }
    text(p, tr2("Number of Loops", "循环次数"), 295, 300, kTextHeight);
    text(p, tr2("New", "新建"), 35, 372, kTextHeight);
    text(p, tr2("Delete", "删除"), zh() ? 95 : 92, 372, kTextHeight);
    text(p, tr2("OK", "确认"), 300, 404, kTextHeight);
    text(p, tr2("Cancel", "取消"), 352, 404, kTextHeight);
}

} // namespace quenlar::dialogs
