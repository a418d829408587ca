#include "app/CancelDialogs.h"

namespace quenlar {

std::optional<AssignmentRequest> CancelDialogs::runKeyAssignment(QWidget *, DialogContext &, int) {
    return std::nullopt;
}

bool CancelDialogs::runMacroManager(QWidget *, DialogContext &) { return false; }

void CancelDialogs::runProfileManager(QWidget *, DialogContext &) {}

} // namespace quenlar
