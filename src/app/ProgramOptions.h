#pragma once
// The window program's command line:
//   --device=hid                 the keyboard over USB (the default)
//   --device=virtual[:FILE]      the virtual keyboard, remembering its state in FILE when named
//   --trace=FILE                 every report and pause of the link, one line each, into FILE
//   --data-dir=DIR               keymap.bin, MacroDefine.bin, VER.bin and Configure/ in DIR

#include <span>
#include <string>

namespace quenlar {

struct ProgramOptions {
    enum class Device { Hid, Virtual };
    Device device = Device::Hid;
    std::string stateFile;  // virtual keyboard only; empty = in memory
    std::string traceFile;  // empty = no trace
    std::string error;      // not empty: the command line was refused, with this reason
};

// Unknown options are refused, except those Qt takes for itself (-platform and the like, which
// start with a single "-") and --data-dir, read by dataPathsFromArguments.
ProgramOptions parseProgramOptions(std::span<const char *const> arguments);

} // namespace quenlar
