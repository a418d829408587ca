#include "keymap/KeyChanged.h"

#include "model/KeyTable.h"

#include <cassert>

namespace quenlar {

namespace {
constexpr int kFirstMacroKeyIndex = 108;
constexpr uint8_t kMacroKind = 4;
} // namespace

bool keyCountsAsChanged(int index, const KeyboardState &state, const HostKeyRecords &records) {
    assert(index >= 0 && index < kKeyCount);
    const KeyTableEntry &key = keyAt(index);
    const KeyAction action = state.keyAction(key.matrixSlot());
    const HostKeyRecord &record = records[index];

    bool changed;
    if (action.kind == kMacroKind)
        changed = index != kFirstMacroKeyIndex + action.p2;
    else
        changed = action.p2 != key.defaultUsage() || record.category != 0 ||
                  (record.keyCount == 1 && record.keyData[0] != record.virtualKey);
    if (!state.enableBit(key.enableBit))
        changed = true;
    return changed;
}

void recomputeKeyChangedFlags(KeyChangedFlags &flags, const KeyboardState &state, const HostKeyRecords &records) {
    for (int i = 0; i < kKeyCount; ++i)
        flags[i] = keyCountsAsChanged(i, state, records) ? 1 : 0;
    flags[kFnKeyIndex] = 0;
}

} // namespace quenlar
