// Editing the selected macro from its event list: captured keys inserted before or after a line,
// mouse-button events, delays, deletions and the in-place delay edit.
#include "macro/MacroEditSession.h"

#include <algorithm>
#include <cassert>

namespace quenlar {

namespace {
constexpr int kInsertedDelayMs = 50;

uint8_t mouseCode(MouseButton button) {
    switch (button) {
    case MouseButton::Left:
        return kMouseLeftCode;
    case MouseButton::Right:
        return kMouseRightCode;
    case MouseButton::Middle:
        return kMouseMiddleCode;
    }
    return kMouseLeftCode;
}
} // namespace

void MacroEditSession::selectLine(std::optional<int> line) {
    assert(!line || (*line >= 0 && *line < static_cast<int>(lines_.size())));
    selectedLine_ = line;
}

void MacroEditSession::cancelCapture() {
    if (!capturePending_)
        return;
    capturePending_ = false;
    captureHoldsPress_ = false;
    // The capture installed the hook for itself unless recording had it already; either way keys
    // must not go on arriving as if they were being recorded.
    if (!recording_)
        removeHookIfActive();
}

void MacroEditSession::startCapture(int line) {
    capturePending_ = true;
    captureHoldsPress_ = false;
    captureLine_ = line;
    ensureHookInstalled();
}

void MacroEditSession::insertBefore() {
    if (!selectedLine_)
        return;
    const int selected = *selectedLine_;
    int line = selected;
    if (selected > 0 && !lines_[selected].isDelay() && lines_[selected - 1].isDelay())
        line = selected - 1; // in front of the whole event, its delay included
    startCapture(line);
}

void MacroEditSession::insertAfter() {
    if (!selectedLine_)
        return;
    const int selected = *selectedLine_;
    startCapture(lines_[selected].isDelay() ? selected + 2 : selected + 1);
}

// Inserts a short event at the event that begins at list line `line` and shows it; false when it
// does not fit.
bool MacroEditSession::insertLinesEvent(int line, uint8_t flag, uint8_t key, uint8_t usage) {
    const std::optional<int> offset = FindEventOffset(buffer_, line);
    assert(offset);
    if (!fits(kShortEventSize) || !InsertEventAt(buffer_, *offset, flag, key, usage))
        return false;
    ++buffer_.eventCount;
    refreshLines();
    if (selectedLine_ && *selectedLine_ >= line)
        ++*selectedLine_;
    return true;
}

void MacroEditSession::captureKey(uint8_t vk, bool release) {
    // A key the keyboard has no code for is not inserted and does not end the capture.
    const uint8_t usage = keyNames_.usage(vk);
    if (usage == 0)
        return;
    if (!release) {
        // Room is kept for the release that ends the capture.
        const int releaseRoom = captureHoldsPress_ ? 0 : kShortEventSize;
        if (!fits(kShortEventSize + releaseRoom)) {
            captureHoldsPress_ = false;
            capturePending_ = false;
            removeHookIfActive();
            inform(MacroMessageId::MacroFull);
            return;
        }
        const bool inserted = insertLinesEvent(captureLine_, kPressFlag, vk, usage);
        assert(inserted);
        (void)inserted;
        captureHoldsPress_ = true;
        ++captureLine_;
        return;
    }
    capturePending_ = false;
    captureHoldsPress_ = false;
    removeHookIfActive();
    if (!insertLinesEvent(captureLine_, kReleaseFlag, vk, usage))
        inform(MacroMessageId::MacroFull);
}

void MacroEditSession::insertMouseKey(MouseButton button, MouseKeyAction action) {
    if (!selectedMacro_ || !selectedLine_)
        return;
    cancelCapture();
    const int line = *selectedLine_ + (lines_[*selectedLine_].isDelay() ? 2 : 1);
    const uint8_t code = mouseCode(button);
    const int size = action == MouseKeyAction::Click ? 2 * kShortEventSize : kShortEventSize;
    if (!fits(size)) {
        inform(MacroMessageId::MacroFull);
        return;
    }
    if (action != MouseKeyAction::Up)
        insertLinesEvent(line, kPressFlag, code, code);
    if (action == MouseKeyAction::Click)
        insertLinesEvent(line + 1, kReleaseFlag, code, code);
    if (action == MouseKeyAction::Up)
        insertLinesEvent(line, kReleaseFlag, code, code);
    StoreCurrentMacro();
}

void MacroEditSession::insertDelay() {
    if (!selectedMacro_ || !selectedLine_ || *selectedLine_ == static_cast<int>(lines_.size()) - 1)
        return;
    if (lines_[*selectedLine_].isDelay()) {
        inform(MacroMessageId::EditCurrentDelay);
        return;
    }
    // The event that begins at the next line waits 50 ms (never longer than the short form, so
    // the stream cannot grow).
    const std::optional<int> offset = FindEventOffset(buffer_, *selectedLine_ + 1);
    assert(offset);
    const bool changed = SetEventDelay(buffer_, *offset, kInsertedDelayMs);
    assert(changed);
    (void)changed;
    cancelCapture();
    StoreCurrentMacro();
    LoadMacroIntoList(*selectedMacro_);
}

void MacroEditSession::deleteSelected() {
    if (!selectedMacro_ || !selectedLine_)
        return;
    const int selected = *selectedLine_;
    if (lines_[selected].isDelay()) {
        DeleteEventAt(buffer_, lines_[selected].eventOffset, true);
    } else {
        // A key line takes its delay line with it.
        DeleteEventAt(buffer_, lines_[selected].eventOffset, false);
    }
    cancelCapture();
    StoreCurrentMacro();
    LoadMacroIntoList(*selectedMacro_);
}

bool MacroEditSession::editDelay(int line, int ms) {
    assert(line >= 0 && line < static_cast<int>(lines_.size()) && lines_[line].isDelay());
    cancelCapture();
    const int delay = std::clamp(ms, 2, kMaxMacroDelayMs);
    const std::optional<int> offset = FindEventOffset(buffer_, line);
    assert(offset && *offset == lines_[line].eventOffset);
    const bool grows = !isLongForm(buffer_.deviceEvents[*offset]) && delay > kLongestShortDelayMs;
    if (grows && !fits(kLongEventSize - kShortEventSize)) {
        inform(MacroMessageId::MacroFull);
        return false;
    }
    const bool changed = SetEventDelay(buffer_, *offset, delay);
    assert(changed);
    (void)changed;
    refreshLines();
    if (selectedLine_ && *selectedLine_ >= static_cast<int>(lines_.size()))
        selectedLine_.reset();
    StoreCurrentMacro();
    return true;
}

} // namespace quenlar
