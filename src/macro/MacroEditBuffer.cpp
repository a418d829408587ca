#include "macro/MacroEditBuffer.h"

#include <algorithm>
#include <cassert>

namespace quenlar {

namespace {

void refreshUsedBytes(MacroEditBuffer &buffer) { buffer.usedBytes = streamEnd(buffer.deviceEvents); }

// Removes count bytes at offset from a stream; the tail is zero-filled.
void removeBytes(MacroStream &stream, int offset, int count) {
    std::copy(stream.begin() + offset + count, stream.end(), stream.begin() + offset);
    std::fill(stream.end() - count, stream.end(), uint8_t{0});
}

// Opens count bytes at offset; the caller has checked that only zero bytes fall off the end.
void openBytes(MacroStream &stream, int offset, int count) {
    std::copy_backward(stream.begin() + offset, stream.end() - count, stream.end());
}

} // namespace

bool isEventBoundary(const MacroEditBuffer &buffer, int offset) {
    const int end = streamEnd(buffer.deviceEvents);
    int at = 0;
    while (at < end && at < offset)
        at += eventSize(buffer.deviceEvents[at]);
    return at == offset && offset <= end;
}

std::optional<int> FindEventOffset(const MacroEditBuffer &buffer, int line) {
    const int end = streamEnd(buffer.deviceEvents);
    int offset = 0;
    int lines = 0;
    while (true) {
        if (lines == line)
            return offset;
        if (offset >= end || lines > line)
            return std::nullopt;
        lines += eventLineCount(buffer.deviceEvents[offset]);
        offset += eventSize(buffer.deviceEvents[offset]);
    }
}

bool InsertEventAt(MacroEditBuffer &buffer, int offset, uint8_t flag, uint8_t hostKey, uint8_t deviceKey) {
    assert(isEventBoundary(buffer, offset));
    assert(delayCode(flag) == kNoDelayCode);
    assert(hostKey != 0 && deviceKey != 0);
    if (streamEnd(buffer.deviceEvents) + kShortEventSize > kMacroStreamSize)
        return false;
    for (MacroStream *stream : {&buffer.deviceEvents, &buffer.hostEvents}) {
        openBytes(*stream, offset, kShortEventSize);
        (*stream)[offset] = flag;
    }
    buffer.deviceEvents[offset + 1] = deviceKey;
    buffer.hostEvents[offset + 1] = hostKey;
    refreshUsedBytes(buffer);
    return true;
}

void DeleteEventAt(MacroEditBuffer &buffer, int offset, bool delayOnly) {
    assert(isEventBoundary(buffer, offset) && offset < streamEnd(buffer.deviceEvents));
    const uint8_t flag = buffer.deviceEvents[offset];
    for (MacroStream *stream : {&buffer.deviceEvents, &buffer.hostEvents}) {
        if (!delayOnly) {
            removeBytes(*stream, offset, eventSize(flag));
            continue;
        }
        (*stream)[offset] = static_cast<uint8_t>((flag & kReleaseBit) | kNoDelayCode);
        if (isLongForm(flag))
            removeBytes(*stream, offset + kShortEventSize, kLongEventSize - kShortEventSize);
    }
    NormalizeFirstEvent(buffer);
    refreshUsedBytes(buffer);
}

bool SetEventDelay(MacroEditBuffer &buffer, int offset, int ms) {
    assert(isEventBoundary(buffer, offset) && offset < streamEnd(buffer.deviceEvents));
    assert(ms >= 2 && ms <= kMaxMacroDelayMs);
    const uint8_t flag = buffer.deviceEvents[offset];
    const uint8_t releaseBit = flag & kReleaseBit;
    const bool wasLong = isLongForm(flag);
    if (ms > kLongestShortDelayMs) {
        if (!wasLong && streamEnd(buffer.deviceEvents) + 2 > kMacroStreamSize)
            return false;
        for (MacroStream *stream : {&buffer.deviceEvents, &buffer.hostEvents}) {
            (*stream)[offset] = static_cast<uint8_t>(releaseBit | kLongFormCode);
            if (!wasLong)
                openBytes(*stream, offset + kShortEventSize, 2);
            (*stream)[offset + 2] = static_cast<uint8_t>(ms >> 8);
            (*stream)[offset + 3] = static_cast<uint8_t>(ms & 0xFF);
        }
    } else {
        for (MacroStream *stream : {&buffer.deviceEvents, &buffer.hostEvents}) {
            (*stream)[offset] = static_cast<uint8_t>(releaseBit | ms);
            if (wasLong)
                removeBytes(*stream, offset + kShortEventSize, 2);
        }
    }
    NormalizeFirstEvent(buffer);
    refreshUsedBytes(buffer);
    return true;
}

void NormalizeFirstEvent(MacroEditBuffer &buffer) {
    if (streamEnd(buffer.deviceEvents) == 0)
        return;
    const uint8_t flag = buffer.deviceEvents[0];
    for (MacroStream *stream : {&buffer.deviceEvents, &buffer.hostEvents}) {
        (*stream)[0] = static_cast<uint8_t>((flag & kReleaseBit) | kNoDelayCode);
        if (isLongForm(flag))
            removeBytes(*stream, kShortEventSize, kLongEventSize - kShortEventSize);
    }
    refreshUsedBytes(buffer);
}

void fillEditBuffer(MacroEditBuffer &buffer, const MacroStream &deviceEvents, const MacroStream &hostEvents) {
    buffer.clear();
    buffer.deviceEvents = deviceEvents;
    buffer.hostEvents = hostEvents;
    // The macro ends where either stream has no key.
    int end = 0;
    const int deviceEnd = streamEnd(buffer.deviceEvents);
    while (end < deviceEnd && buffer.hostEvents[end + 1] != 0)
        end += eventSize(buffer.deviceEvents[end]);
    std::fill(buffer.deviceEvents.begin() + end, buffer.deviceEvents.end(), uint8_t{0});
    std::fill(buffer.hostEvents.begin() + end, buffer.hostEvents.end(), uint8_t{0});
    for (int offset = 0; offset < end; offset += eventSize(buffer.deviceEvents[offset])) {
        buffer.hostEvents[offset] = buffer.deviceEvents[offset];
        if (isLongForm(buffer.deviceEvents[offset])) {
            buffer.hostEvents[offset + 2] = buffer.deviceEvents[offset + 2];
            buffer.hostEvents[offset + 3] = buffer.deviceEvents[offset + 3];
        }
    }
    buffer.usedBytes = end;
}

} // namespace quenlar
