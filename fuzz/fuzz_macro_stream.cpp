// Macro streams of any content, edited by any sequence of operations: the two streams keep one
// framing and never pass their 190 bytes.
#include "macro/MacroEditBuffer.h"
#include "macro/MacroEventLines.h"

#include <cstdlib>
#include <cstring>

using namespace quenlar;

namespace {
void check(const MacroEditBuffer &buffer) {
    if (buffer.usedBytes < 0 || buffer.usedBytes > kMacroStreamSize)
        std::abort();
    for (int i = buffer.usedBytes; i < kMacroStreamSize; ++i)
        if (buffer.deviceEvents[i] != 0 || buffer.hostEvents[i] != 0)
            std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const KeyNameTable names;
    if (size < 2 * kMacroStreamSize)
        return 0;
    MacroStream device{}, host{};
    std::memcpy(device.data(), data, kMacroStreamSize);
    std::memcpy(host.data(), data + kMacroStreamSize, kMacroStreamSize);
    data += 2 * kMacroStreamSize;
    size -= 2 * kMacroStreamSize;
    MacroEditBuffer buffer;
    fillEditBuffer(buffer, device, host);
    check(buffer);
    while (size >= 4) {
        const uint8_t op = data[0], a = data[1], b = data[2], c = data[3];
        data += 4;
        size -= 4;
        const auto offset = FindEventOffset(buffer, a % 100);
        switch (op % 5) {
        case 0:
            if (offset)
                (void)InsertEventAt(buffer, *offset, (b & 1) ? 0x81 : 0x01, static_cast<uint8_t>(c | 1),
                                    static_cast<uint8_t>(c | 2));  // key bytes are never 0
            break;
        case 1:
            if (offset && *offset < buffer.usedBytes)
                DeleteEventAt(buffer, *offset, b & 1);
            break;
        case 2:
            if (offset && *offset < buffer.usedBytes)
                (void)SetEventDelay(buffer, *offset, 2 + (b << 8 | c) % 59999);
            break;
        case 3:
            NormalizeFirstEvent(buffer);
            break;
        default:
            (void)buildEventLines(buffer, names);
            break;
        }
        check(buffer);
    }
    (void)buildEventLines(buffer, names);
    return 0;
}
