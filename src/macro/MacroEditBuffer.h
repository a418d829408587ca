#pragma once
// The macro manager's working copy of one macro's two event streams, and the operations that
// recording and editing are built from. Every operation changes both streams at the same offset,
// so the streams keep one framing: same length, same flag and delay bytes, only key bytes differ.
//
// A stream never grows past its 190 bytes: an insertion or a delay change that does not fit is
// refused (the operation returns false and changes nothing) instead of pushing bytes off the end,
// which would cut the last event in half.

#include "macro/MacroEvent.h"

#include <cstdint>
#include <optional>

namespace quenlar {

struct MacroEditBuffer {
    MacroStream deviceEvents{};
    MacroStream hostEvents{};
    int usedBytes = 0;   // offset just past the last event; new recorded events go here
    int eventCount = 0;  // events added since the buffer was filled

    void clear() { *this = MacroEditBuffer{}; }
    int roomLeft() const { return kMacroStreamSize - usedBytes; }
    friend bool operator==(const MacroEditBuffer &, const MacroEditBuffer &) = default;
};

// Whether offset is the start of an event or the end of the stream.
bool isEventBoundary(const MacroEditBuffer &buffer, int offset);

// Byte offset of the event whose first list line is line (each event shows one key line, preceded
// by a delay line when it has a delay). The line just past the last event gives the stream's end;
// a line beyond that gives nullopt.
std::optional<int> FindEventOffset(const MacroEditBuffer &buffer, int line);

// Inserts one short event (flag 0x01 press or 0x81 release) at an event boundary, host key byte
// into the host stream and device key byte into the device stream. False when the two bytes do
// not fit; nothing changes then.
bool InsertEventAt(MacroEditBuffer &buffer, int offset, uint8_t flag, uint8_t hostKey, uint8_t deviceKey);

// Removes the event at offset, or with delayOnly only its delay (the event then has no delay and
// keeps its key and release bit); then NormalizeFirstEvent.
void DeleteEventAt(MacroEditBuffer &buffer, int offset, bool delayOnly);

// Gives the event at offset a delay of ms (2..60000), switching between the short form
// (up to 126 ms) and the long form; then NormalizeFirstEvent. False, with nothing changed, when
// the long form's two extra bytes do not fit.
bool SetEventDelay(MacroEditBuffer &buffer, int offset, int ms);

// The first event never waits: its delay code becomes 1 (release bit kept) and a long-form first
// event loses its two delay bytes.
void NormalizeFirstEvent(MacroEditBuffer &buffer);

// Fills the buffer from a stored pair of streams and makes them one framing: the device stream's
// events are the events, the macro ends at the first event without a key byte in either stream
// (or at an event cut off by the stream's end), every byte past that is zeroed in both streams,
// and the host stream takes the device stream's flag and delay bytes. Streams written by this
// program are unchanged by this.
void fillEditBuffer(MacroEditBuffer &buffer, const MacroStream &deviceEvents, const MacroStream &hostEvents);

} // namespace quenlar
