#pragma once
// One macro event as the keyboard replays it, and as the macro library stores it.
//
// A macro is kept as two event streams of 190 bytes that share one framing: the device
// stream carries the keyboard's own key codes (usages) and is what the keyboard receives;
// the host stream carries virtual-key codes and is what the macro manager shows names from.
//
// Event layout (same in both streams):
//   byte 0  flag/delay byte F: bit 7 set = release, clear = press; bits 0-6 = delay code d
//   byte 1  key byte: usage (device stream) or virtual-key code (host stream);
//           mouse buttons use 0xF0 left, 0xF1 right, 0xF2 middle in both streams
//   bytes 2-3 (long form only, d = 0x7F): the delay in milliseconds, big-endian
//
// Delay codes: 1 = no delay (the only code a first event may have), 2..126 = wait d ms,
// 0x7F = long form with 127..60000 ms in bytes 2-3. The stream ends at the first event whose
// key byte is 0; every byte after the last event is 0.

#include <array>
#include <cstdint>
#include <span>

namespace quenlar {

inline constexpr int kMacroStreamSize = 190;
inline constexpr int kShortEventSize = 2;
inline constexpr int kLongEventSize = 4;
inline constexpr int kMaxMacroDelayMs = 60000;
inline constexpr int kLongestShortDelayMs = 126;

inline constexpr uint8_t kReleaseBit = 0x80;
inline constexpr uint8_t kDelayCodeMask = 0x7F;
inline constexpr uint8_t kNoDelayCode = 0x01;
inline constexpr uint8_t kLongFormCode = 0x7F;
inline constexpr uint8_t kPressFlag = kNoDelayCode;                 // press without delay
inline constexpr uint8_t kReleaseFlag = kReleaseBit | kNoDelayCode; // release without delay

inline constexpr uint8_t kMouseLeftCode = 0xF0;
inline constexpr uint8_t kMouseRightCode = 0xF1;
inline constexpr uint8_t kMouseMiddleCode = 0xF2;

using MacroStream = std::array<uint8_t, kMacroStreamSize>;

constexpr uint8_t delayCode(uint8_t flag) { return flag & kDelayCodeMask; }
constexpr bool isRelease(uint8_t flag) { return (flag & kReleaseBit) != 0; }
constexpr bool isLongForm(uint8_t flag) { return delayCode(flag) == kLongFormCode; }
constexpr int eventSize(uint8_t flag) { return isLongForm(flag) ? kLongEventSize : kShortEventSize; }

// Whether the event list shows a delay line above the event. Delay codes 0 and 1 mean
// "no delay" here; the same rule counts lines (FindEventOffset) and builds them, so a list
// line always maps to the event it was built from.
constexpr bool hasDelayLine(uint8_t flag) { return delayCode(flag) > kNoDelayCode; }
constexpr int eventLineCount(uint8_t flag) { return hasDelayLine(flag) ? 2 : 1; }

// Size of an event that carries a delay of ms (short form up to 126 ms).
constexpr int eventSizeForDelay(int ms) { return ms > kLongestShortDelayMs ? kLongEventSize : kShortEventSize; }

// The delay of the event at offset in milliseconds: d, or the 16-bit value of the long form.
int eventDelayMs(std::span<const uint8_t, kMacroStreamSize> stream, int offset);

// Offset just past the last complete event of a stream (0 for an empty stream). Stops at the
// first key byte 0 and at an event that would run past the stream's end.
int streamEnd(std::span<const uint8_t, kMacroStreamSize> stream);

} // namespace quenlar
