#pragma once
// Turning the user's choice for a key into the key's KeyAction in the working keyMatrix and
// its HostKeyRecord. Nothing is sent to the keyboard here: the changed keyMatrix,
// keyEnableMask and macro slots reach it with the next write-all.

#include "keymap/AssignmentRequest.h"
#include "keymap/HostKeyRecord.h"
#include "keymap/KeyChanged.h"
#include "model/KeyNameTable.h"
#include "model/KeyboardState.h"
#include "model/Language.h"
#include "model/Result.h"

#include <filesystem>
#include <functional>

namespace quenlar {

// The keyboard has 32 macro slots; a key can play only the macros stored in them.
inline constexpr int kBindableMacroCount = kMacroSlotCount;

// What an assignment changes.
struct AssignmentTarget {
    KeyboardState &state;       // the working image
    HostKeyRecords &records;    // the working records
    KeyChangedFlags &changed;
};

// What an assignment reads.
struct AssignmentEnvironment {
    const KeyNameTable &names;  // a virtual key's device code is names.usage(vk)
    Language language;          // the language basic-function names are matched in
    // Rebuilds the image's macro slots from the macro library; run after a key is bound to a macro.
    std::function<void(KeyboardState &)> packMacroSlots;
};

// Refuses what cannot be stored: an action path longer than 255 UTF-16 units, a macro beyond
// the keyboard's 32 slots. The message is in the interface language.
Result checkAssignment(const AssignmentRequest &request, Language language);

// ApplyAssignment for KeyTable index key (0..112): writes the key's KeyAction, its record and
// its changed flag, and for a macro rebinds the macro slots. "Restore default" (keyCount 255)
// also sets the key's enable bit and request.keyEnabled. Keys other than this one are never
// touched, except by packMacroSlots. A request that checkAssignment refuses changes nothing.
Result applyAssignment(int key, AssignmentRequest &request, const AssignmentTarget &target,
                       const AssignmentEnvironment &environment);

// The whole sequence after the dialog's OK: clear the key's changed flag, apply the request,
// set or clear the key's enable bit as the request says (a disabled key counts as changed) and
// save keymap.bin once. A refused request changes nothing and writes nothing.
Result applyConfirmedAssignment(int key, AssignmentRequest &request, const AssignmentTarget &target,
                                const AssignmentEnvironment &environment, const std::filesystem::path &keymapFile);

} // namespace quenlar
