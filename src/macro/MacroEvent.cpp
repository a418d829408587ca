#include "macro/MacroEvent.h"

#include <cassert>

namespace quenlar {

int eventDelayMs(std::span<const uint8_t, kMacroStreamSize> stream, int offset) {
    assert(offset >= 0 && offset + kShortEventSize <= kMacroStreamSize);
    const uint8_t flag = stream[offset];
    if (!isLongForm(flag))
        return delayCode(flag);
    assert(offset + kLongEventSize <= kMacroStreamSize);
    return (stream[offset + 2] << 8) | stream[offset + 3];
}

int streamEnd(std::span<const uint8_t, kMacroStreamSize> stream) {
    int offset = 0;
    while (offset + 1 < kMacroStreamSize && stream[offset + 1] != 0) {
        const int size = eventSize(stream[offset]);
        if (offset + size > kMacroStreamSize)
            break;
        offset += size;
    }
    return offset;
}

} // namespace quenlar
