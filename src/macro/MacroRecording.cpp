// Recording: the record button and the keys the key capture delivers while it is installed.
#include "macro/MacroEditSession.h"

#include <algorithm>
#include <cassert>

namespace quenlar {

namespace {
// Presses stop being recorded once this many bytes are used.
constexpr int kPressLimit = 184;

int elapsedMs(std::chrono::steady_clock::time_point from, std::chrono::steady_clock::time_point to) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count();
    return static_cast<int>(std::clamp<long long>(ms, 0, kMaxMacroDelayMs));
}
} // namespace

void MacroEditSession::toggleRecording() {
    if (!selectedMacro_) {
        inform(MacroMessageId::SelectMacroToRecord);
        return;
    }
    recording_ = !recording_;
    if (!recording_) {
        removeHookIfActive();
        return;
    }
    // A capture waiting for a key would insert into the list that is cleared here.
    capturePending_ = false;
    captureHoldsPress_ = false;
    ensureHookInstalled();
    heldKeys_.clear();
    buffer_.clear();
    lastKeyLine_.clear();
    lines_.clear();
    selectedLine_.reset();
    MacroRecord &record = (*table_)[*selectedMacro_];
    record.deviceEvents.fill(0);
    record.hostEvents.fill(0);
}

void MacroEditSession::editStarting() {
    capturePending_ = false;
    captureHoldsPress_ = false;
    removeHookIfActive();
    recording_ = false;
}

void MacroEditSession::onHookKey(int vk, bool release) {
    assert(vk >= 0 && vk <= 255);
    if (capturePending_)
        captureKey(static_cast<uint8_t>(vk), release);
    else if (hookActive_)
        recordKey(static_cast<uint8_t>(vk), release);
    StoreCurrentMacro();
}

void MacroEditSession::recordKey(uint8_t vk, bool release) {
    // The keyboard has no code for this key: recording it would end the device stream early.
    const uint8_t usage = keyNames_.usage(vk);
    if (usage == 0)
        return;
    const std::string line = keyLineText(keyNames_.name(vk), release);
    const bool withDelay = delayMode_ && !lines_.empty();
    if (release) {
        const auto now = clock_();
        const int delay = elapsedMs(referenceTime_, now);
        referenceTime_ = now;
        // The release's reserved room (if its press was recorded) is freed first, so it always fits.
        if (const auto held = std::find(heldKeys_.begin(), heldKeys_.end(), vk); held != heldKeys_.end())
            heldKeys_.erase(held);
        if (line == lastKeyLine_)
            return;
        if (!fits(withDelay ? eventSizeForDelay(delay) : kShortEventSize))
            return;
        buffer_.usedBytes = InsertMacroToList(vk, buffer_.usedBytes, delay, true);
        return;
    }
    int delay = 0;
    if (lines_.empty()) {
        referenceTime_ = clock_();
    } else if (line != lastKeyLine_) {
        const auto now = clock_();
        delay = elapsedMs(referenceTime_, now);
        referenceTime_ = now;
    }
    if (line == lastKeyLine_) // the auto-repeat of a held key
        return;
    if (buffer_.usedBytes >= kPressLimit)
        return;
    // A press is taken only with room for its release as well, whatever delay that will carry.
    if (!fits((withDelay ? eventSizeForDelay(delay) : kShortEventSize) + kLongEventSize))
        return;
    buffer_.usedBytes = InsertMacroToList(vk, buffer_.usedBytes, delay, false);
    if (std::find(heldKeys_.begin(), heldKeys_.end(), vk) == heldKeys_.end())
        heldKeys_.push_back(vk);
}

int MacroEditSession::InsertMacroToList(uint8_t vk, int position, int delayMs, bool release) {
    assert(position == buffer_.usedBytes);
    const uint8_t releaseBit = release ? kReleaseBit : uint8_t{0};
    const int ms = std::clamp(delayMs, 0, kMaxMacroDelayMs);
    // The first event of a recording, and every event without delay mode, has no delay; so has an
    // event less than 2 ms after the previous one.
    const bool withDelay = delayMode_ && !lines_.empty() && ms > 1;
    const int size = withDelay ? eventSizeForDelay(ms) : kShortEventSize;
    const uint8_t usage = keyNames_.usage(vk);
    // A key the keyboard has no code for, or an event that does not fit, is never written: the
    // stream stays whole whatever the caller checked.
    if (usage == 0 || position + size > kMacroStreamSize)
        return position;
    for (MacroStream *stream : {&buffer_.deviceEvents, &buffer_.hostEvents}) {
        MacroStream &s = *stream;
        if (!withDelay) {
            s[position] = static_cast<uint8_t>(releaseBit | kNoDelayCode);
        } else if (size == kLongEventSize) {
            s[position] = static_cast<uint8_t>(releaseBit | kLongFormCode);
            s[position + 2] = static_cast<uint8_t>(ms >> 8);
            s[position + 3] = static_cast<uint8_t>(ms & 0xFF);
        } else {
            s[position] = static_cast<uint8_t>(releaseBit | ms);
        }
    }
    buffer_.hostEvents[position + 1] = vk;
    buffer_.deviceEvents[position + 1] = usage;
    buffer_.usedBytes = position + size;
    ++buffer_.eventCount;
    refreshLines();
    lastKeyLine_ = lines_.back().text;
    selectedLine_ = static_cast<int>(lines_.size()) - 1;
    return buffer_.usedBytes;
}

} // namespace quenlar
