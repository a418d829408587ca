#pragma once
// Host-run key actions. A key given Play Sound, Startup, Open File or Open Folder holds the
// KeyAction 10, 0, virtualKey, 0: instead of a keystroke the keyboard reports the key's
// virtual-key code on its event interface, and the program opens the path stored in the key's
// HostKeyRecord.

#include "keymap/HostKeyRecord.h"
#include "keymap/HostShell.h"

#include <cstdint>
#include <string>

namespace quenlar {

// How a stored path is handed to the desktop: the text after the last "/" is the file name,
// the text before it the folder. Without a "/" the whole path is the folder and the name is
// empty.
struct HostActionTarget {
    std::string folder;
    std::string fileName;
};
HostActionTarget splitActionPath(const std::string &path);

enum class HostActionOutcome {
    NoRecord,       // no record with a host action for this code
    NothingToOpen,  // the stored path names no file (empty name after the last "/")
    Started,        // the desktop accepted the request
    Failed,         // the desktop refused it
};

// RunHostAction: finds the first record (0..254) whose category is 4..7 and whose virtualKey
// equals the low byte of code, and opens its actionPath: Startup starts the program in its
// folder, Open Folder opens the folder, Play Sound and Open File open the file.
HostActionOutcome runHostAction(uint32_t code, const HostKeyRecords &records, HostShell &shell);

} // namespace quenlar
