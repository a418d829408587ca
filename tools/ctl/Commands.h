#pragma once
// The commands of quenlar-ctl, one function per command group. Each checks all its arguments
// before it reads, writes or sends anything, and returns the exit status.

#include "CtlSupport.h"

#include <string>
#include <vector>

namespace quenlar::ctl {

using Arguments = std::vector<std::string>;

struct CommandEntry {
    const char *name;
    const char *summary;  // one line for the overview
    const char *help;     // the whole help of the command
    int (*run)(Context &, const Arguments &);
};

// KeyboardCommands.cpp
int runStatus(Context &, const Arguments &);
int runDump(Context &, const Arguments &);
int runSet(Context &, const Arguments &);
int runApply(Context &, const Arguments &);
int runReset(Context &, const Arguments &);
int runProbe(Context &, const Arguments &);
int runPaint(Context &, const Arguments &);
// AssignCommand.cpp
int runAssign(Context &, const Arguments &);
// MacroCommands.cpp
int runMacro(Context &, const Arguments &);
// ProfileCommands.cpp
int runProfile(Context &, const Arguments &);
// ListenCommands.cpp
int runListen(Context &, const Arguments &);
int runVirtual(Context &, const Arguments &);
// DiagnosticCommands.cpp
int runDoctor(Context &, const Arguments &);
int runReport(Context &, const Arguments &);
int runUdevRules(Context &, const Arguments &);

// Every command, in the order the overview lists them.
const std::vector<CommandEntry> &commands();

} // namespace quenlar::ctl
