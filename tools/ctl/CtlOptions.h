#pragma once
// Command line of quenlar-ctl:
//   quenlar-ctl [OPTIONS] COMMAND [ARGS...]
// The options before the command apply to every command; each command checks its own arguments
// (see Commands.h) before anything is read, written or sent.

#include "model/Language.h"
#include "virtual/VirtualKeyboard.h"

#include <optional>
#include <string>
#include <vector>

namespace quenlar::ctl {

struct CtlOptions {
    bool virtualDevice = false;
    std::string stateFile;  // virtual keyboard state file; empty = in memory only
    std::string traceFile;
    VirtualKeyboardFaults faults;  // --fault=...: misbehaviour of the virtual keyboard, for testing
    std::string dataDir;           // --data-dir=DIR; empty = the program's own rule (DataLocation.h)
    bool yes = false;              // --yes: answer every confirmation with yes
    Language language = Language::English;
    std::string command;
    std::vector<std::string> arguments;
};

// nullopt with `error` set when the options are not understood or no command is given.
std::optional<CtlOptions> parseCtlOptions(const std::vector<std::string> &args, std::string &error);

extern const char *const kOptionsUsage;

} // namespace quenlar::ctl
