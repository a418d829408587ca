#pragma once
// The dialogs as the main window opens them: WindowDialogs carried out by the skinned windows
// CKeyMap, CMacroRecordDlg and CConfigureDlg, each run modally over the main window.

#include "app/WindowDialogs.h"
#include "dialogs/DialogServices.h"
#include "macro/MacroKeyHook.h"

namespace quenlar::dialogs {

class SkinnedDialogs final : public WindowDialogs {
public:
    // services answers the dialogs' questions (message boxes, file choosers); clock times the
    // recorded keys.
    explicit SkinnedDialogs(DialogServices &services, MacroClock clock = steadyMacroClock())
        : services_(services), clock_(std::move(clock)) {}

    std::optional<AssignmentRequest> runKeyAssignment(QWidget *parent, DialogContext &context, int keyIndex) override;
    bool runMacroManager(QWidget *parent, DialogContext &context) override;
    void runProfileManager(QWidget *parent, DialogContext &context) override;

private:
    DialogServices &services_;
    MacroClock clock_;
};

} // namespace quenlar::dialogs
