#pragma once
// The keyboard holds 32 macro slots of 192 bytes inside the KeyboardState:
//   byte 0  loopCount high byte
//   byte 1  loopCount low byte
//   bytes 2..191  the macro's device event stream, byte for byte
// Slot m holds macro number m. The slots are never decoded: they are always rebuilt from the
// macro library.

#include "macro/MacroRecord.h"
#include "model/KeyboardState.h"

namespace quenlar {

static_assert(kMacroSlotSize == 2 + kMacroStreamSize);
static_assert(kMacroSlotCount == kMaxNamedMacros);

// Writes slot m from record m for every named record from record 0 on (at most 32); the slots
// of free records keep what they hold.
void PackMacroSlots(const MacroTable &table, KeyboardState &state);

// The key action that binds a key to macro m: kind 4, p1 1, p2 m, p3 0.
KeyAction macroKeyAction(int macroNumber);

} // namespace quenlar
