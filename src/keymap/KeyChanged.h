#pragma once
// Which keys the keyboard picture marks as changed: a key whose action differs from its
// factory action, that carries a computer-side assignment, or that is disabled.

#include "keymap/HostKeyRecord.h"
#include "model/KeyboardState.h"

#include <array>
#include <cstdint>

namespace quenlar {

// One byte per KeyTable index, 1 = changed. 255 long; only 0..112 are used.
using KeyChangedFlags = std::array<uint8_t, 255>;

inline constexpr int kFnKeyIndex = 100;

// The key-changed test for KeyTable index 0..112:
//  - a key bound to a macro counts as changed, except the keys at indexes 108..112, each of
//    which holds macro (index - 108) by default;
//  - otherwise it is changed when p2 of its action differs from its default usage, when its
//    record has a category other than 0, or when the record holds one captured key that is
//    not the key's own virtual key;
//  - a key whose bit in keyEnableMask is clear is changed whatever the above gave.
bool keyCountsAsChanged(int index, const KeyboardState &state, const HostKeyRecords &records);

// Runs the test for every key, then clears the Fn key's flag (it can never be assigned).
void recomputeKeyChangedFlags(KeyChangedFlags &flags, const KeyboardState &state, const HostKeyRecords &records);

} // namespace quenlar
