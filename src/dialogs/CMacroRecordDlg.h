#pragma once
// CMacroRecordDlg: the macro manager window. It shows the macro list, the selected macro's event
// list, the record button, the delay and loop options and the loop field, and forwards every
// click, menu command, in-place edit and captured key to MacroEditSession, which holds all the
// logic. The key capture records presses and releases (mode 1) while the session asks for it.

#include "controls/TransparentListBox.h"
#include "dialogs/SkinnedDialog.h"
#include "macro/MacroEditSession.h"
#include "platform/KeyCapture.h"

#include <QLineEdit>
#include <QTimer>

#include <array>
#include <memory>

namespace quenlar::dialogs {

class CMacroRecordDlg : public SkinnedDialog {
    Q_OBJECT
public:
    static constexpr int kMacroListId = 1001;
    static constexpr int kEventListId = 1000;
    static constexpr int kLoopFieldId = 1002;
    static constexpr int kNameTimerId = 1;
    static constexpr int kNameTimerMs = 100;

    enum HotSpot { Record, DelayBox, LoopBox, New, Delete, Ok, Cancel, HotSpotCount };

    CMacroRecordDlg(const QString &programFolder, Language language, const KeyNameTable &names, UserPrompts &prompts,
                    MacroClock clock = steadyMacroClock(), QWidget *parent = nullptr);
    ~CMacroRecordDlg() override;

    // Opening: starts from a copy of the master table.
    void prepare(const MacroTable &master);
    // The working table; after OK it is what the caller copies into the master table.
    const MacroTable &workingTable() const { return session_->workingTable(); }
    MacroEditSession &session() { return *session_; }
    KeyCapture &keyCapture() { return capture_; }
    static QRect hotSpotRect(HotSpot spot);
    // 1 when the hot spot shows its second image: a button under the pointer, a ticked box.
    int hotSpotState(HotSpot spot) const;

protected:
    void compose(QPainter &painter) override;
    bool onButton(const QPoint &point) const override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void done(int result) override;

private:
    std::optional<HotSpot> hotSpotAt(const QPoint &point) const;
    void click(HotSpot spot);
    void showContextMenu(const QPoint &globalPos);
    void copyNamesFromList();
    void refreshMacroList();
    void refreshEventList();
    void refreshOptions();
    void onHookKey(int vk, bool release);

    KeyCapture capture_;
    std::unique_ptr<MacroEditSession> session_;
    controls::CTransparentListBox *macroList_;
    controls::CTransparentListBox *eventList_;
    QLineEdit *loopField_;
    QTimer nameTimer_;
    std::array<int, HotSpotCount> hover_{};
    std::optional<HotSpot> lastHotSpot_;
    bool copyingNames_ = false;
    bool updatingLists_ = false;
};

} // namespace quenlar::dialogs
