#include "macro/MacroSlots.h"

#include <algorithm>
#include <cassert>

namespace quenlar {

void PackMacroSlots(const MacroTable &table, KeyboardState &state) {
    const int count = namedMacroCount(table);
    for (int m = 0; m < count; ++m) {
        const MacroRecord &record = table[m];
        auto slot = state.macroSlot(m);
        slot[0] = static_cast<uint8_t>(record.loopCount >> 8);
        slot[1] = static_cast<uint8_t>(record.loopCount & 0xFF);
        std::copy(record.deviceEvents.begin(), record.deviceEvents.end(), slot.begin() + 2);
    }
}

KeyAction macroKeyAction(int macroNumber) {
    assert(macroNumber >= 0 && macroNumber < kMacroSlotCount);
    return KeyAction{4, 1, static_cast<uint8_t>(macroNumber), 0};
}

} // namespace quenlar
