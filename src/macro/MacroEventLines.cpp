#include "macro/MacroEventLines.h"

namespace quenlar {

std::string delayLineText(int ms) { return std::to_string(ms) + " ms"; }

std::string keyLineText(std::string_view keyName, bool release) {
    return std::string(keyName) + (release ? " up" : " dn");
}

std::vector<EventLine> buildEventLines(const MacroEditBuffer &buffer, const KeyNameTable &keyNames) {
    std::vector<EventLine> lines;
    const int end = streamEnd(buffer.deviceEvents);
    for (int offset = 0; offset < end; offset += eventSize(buffer.deviceEvents[offset])) {
        const uint8_t flag = buffer.deviceEvents[offset];
        if (hasDelayLine(flag))
            lines.push_back({EventLine::Kind::Delay, delayLineText(eventDelayMs(buffer.deviceEvents, offset)), offset});
        const uint8_t vk = buffer.hostEvents[offset + 1];
        lines.push_back({EventLine::Kind::Key, keyLineText(keyNames.name(vk), isRelease(flag)), offset});
    }
    return lines;
}

} // namespace quenlar
