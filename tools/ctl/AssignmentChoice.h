#pragma once
// `quenlar-ctl assign KEY ACTION`: the user's choice, read from the command line, and the
// AssignmentRequest the key assignment dialog would hand over for the same choice.

#include "keymap/AssignmentRequest.h"
#include "keymap/HostKeyRecord.h"
#include "macro/MacroRecord.h"
#include "model/KeyNameTable.h"
#include "model/KeyboardState.h"
#include "model/Language.h"

#include <optional>
#include <string>
#include <vector>

namespace quenlar::ctl {

struct AssignmentChoice {
    enum class Kind { Key, Combo, Basic, Macro, HostAction, Default, Disable, Enable };
    Kind kind = Kind::Default;
    std::vector<uint8_t> keys;             // Key: one virtual key; Combo: two or three
    std::string functionName;              // Basic: the name in the interface language
    int macro = -1;                        // Macro: the macro number
    AssignmentCategory hostAction = AssignmentCategory::None;  // PlaySound..OpenFolder
    std::string path;                      // HostAction: absolute path, UTF-8
};

// Reads ACTION [ARGS]; nullopt with `error` for anything the dialog could not have produced.
// Host-action paths are made absolute, as the file choosers give them.
std::optional<AssignmentChoice> parseAssignmentChoice(const std::vector<std::string> &action, const KeyNameTable &names,
                                                      Language language, std::string &error);

// The request the dialog fills for `choice` when it was opened on `key` with this state and
// these records and closed with Save (or Default). The Disable box starts as the key's bit in
// keyEnableMask; disable and enable tick or clear it and save the page the dialog opened on.
// nullopt with `error` where the dialog would not close (a basic function it cannot find).
std::optional<AssignmentRequest> dialogRequest(int key, const AssignmentChoice &choice, const KeyboardState &state,
                                               const HostKeyRecords &records, Language language, std::string &error);

} // namespace quenlar::ctl
