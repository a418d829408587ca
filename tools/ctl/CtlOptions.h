#pragma once
// Command line of quenlar-ctl:
//   quenlar-ctl [--device=hid|virtual[:STATE_FILE]] [--trace=FILE] COMMAND [ARGS...]

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
    std::string command;
    std::vector<std::string> arguments;
};

// nullopt with `error` set when the command line is not understood.
std::optional<CtlOptions> parseCtlOptions(const std::vector<std::string> &args, std::string &error);

extern const char *const kUsage;

} // namespace quenlar::ctl
