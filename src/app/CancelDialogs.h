#pragma once
// Stand-ins for the key-assignment dialog, the macro manager and the profile manager until the
// real ones are plugged in: each behaves as its dialog closed at once with Cancel, so the main
// window runs everything around them exactly as it will with the real dialogs.

#include "app/WindowDialogs.h"

namespace quenlar {

class CancelDialogs final : public WindowDialogs {
public:
    std::optional<AssignmentRequest> runKeyAssignment(QWidget *parent, DialogContext &context, int keyIndex) override;
    bool runMacroManager(QWidget *parent, DialogContext &context) override;
    void runProfileManager(QWidget *parent, DialogContext &context) override;
};

} // namespace quenlar
