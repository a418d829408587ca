#include "macro/MacroEditSession.h"

#include "macro/MacroLibrary.h"

#include <algorithm>
#include <cassert>

namespace quenlar {

MacroEditSession::MacroEditSession(const KeyNameTable &keyNames, UserPrompts &prompts, MacroKeyHook &hook,
                                   Language language, MacroClock clock)
    : keyNames_(keyNames), prompts_(prompts), hook_(hook), language_(language), clock_(std::move(clock)),
      table_(std::make_unique<MacroTable>()) {
    assert(clock_);
}

MacroEditSession::~MacroEditSession() { removeHookIfActive(); }

void MacroEditSession::open(const MacroTable &master) {
    removeHookIfActive();
    recording_ = false;
    delayMode_ = false;
    loopMode_ = false;
    lastKeyLine_.clear();
    capturePending_ = false;
    captureHoldsPress_ = false;
    *table_ = master;
    selectedMacro_.reset();
    buffer_.clear();
    lines_.clear();
    selectedLine_.reset();
    loopFieldText_.clear();
    if (macroCount() == 0)
        return;
    // The first macro shows its stored loop count as it is, even 0.
    selectedMacro_ = 0;
    const MacroRecord &first = (*table_)[0];
    loopFieldText_ = std::to_string(first.loopCount);
    loopMode_ = first.loopCount > 1;
    delayMode_ = (first.delayFlag & kDelayFlagBit) != 0;
    LoadMacroIntoList(0);
}

const MacroTable &MacroEditSession::accept() {
    removeHookIfActive();
    recording_ = false;
    if (loopMode_ && selectedMacro_)
        (*table_)[*selectedMacro_].loopCount = loopFieldValue();
    return *table_;
}

void MacroEditSession::close() {
    removeHookIfActive();
    recording_ = false;
}

std::u16string_view MacroEditSession::macroName(int index) const {
    assert(index >= 0 && index < macroCount());
    return (*table_)[index].nameView();
}

void MacroEditSession::selectMacro(std::optional<int> index) {
    assert(!index || (*index >= 0 && *index < macroCount()));
    // A pending capture points at a line of the macro that is being left.
    if (capturePending_)
        cancelCapture();
    heldKeys_.clear();
    selectedMacro_ = index;
    lines_.clear();
    selectedLine_.reset();
    if (!index) {
        buffer_.clear();
        return;
    }
    const MacroRecord &record = (*table_)[*index];
    delayMode_ = (record.delayFlag & kDelayFlagBit) != 0;
    // A stored 0 shows as 1 with looping off.
    loopFieldText_ = std::to_string(record.loopCount == 0 ? 1 : record.loopCount);
    loopMode_ = record.loopCount > 1;
    LoadMacroIntoList(*index);
}

bool MacroEditSession::newMacro() {
    const std::optional<int> index = appendNewMacro(*table_);
    if (!index)
        return false;
    cancelCapture();
    selectedMacro_ = index;
    lines_.clear();
    selectedLine_.reset();
    buffer_.clear();
    recording_ = false;
    delayMode_ = false;
    setLoopFieldText("1");
    removeHookIfActive();
    loopMode_ = false;
    return true;
}

void MacroEditSession::deleteMacro() {
    const MacroMessage question = macroMessage(MacroMessageId::ConfirmDelete, language_);
    if (!prompts_.confirm(question.text, question.caption))
        return;
    if (!selectedMacro_) {
        inform(MacroMessageId::SelectMacroToDelete);
        return;
    }
    const int selected = *selectedMacro_;
    const int count = macroCount();
    removeMacro(*table_, selected);
    selectedMacro_.reset();
    if (count >= 2)
        selectMacro(std::min(selected, count - 2));
    else
        selectMacro(std::nullopt);
    removeHookIfActive();
    recording_ = false;
}

bool MacroEditSession::renameMacro(int index, std::u16string_view name) {
    assert(index >= 0 && index < macroCount());
    if (!isValidMacroName(name)) {
        inform(MacroMessageId::BadMacroName);
        return false;
    }
    setMacroName((*table_)[index], name);
    // The renamed macro becomes the selected one, with its own events in the list, so that the
    // next edit is stored into the macro the list shows.
    if (selectedMacro_ != index)
        selectMacro(index);
    return true;
}

void MacroEditSession::toggleLoopMode() {
    loopMode_ = !loopMode_;
    if (!loopMode_)
        setLoopFieldText("1");
}

void MacroEditSession::setLoopFieldText(std::string text) {
    loopFieldText_ = std::move(text);
    if (selectedMacro_)
        (*table_)[*selectedMacro_].loopCount = loopFieldValue();
}

uint16_t MacroEditSession::loopFieldValue() const {
    // Read as a decimal number up to the first non-digit and cut to 16 bits; empty gives 0.
    uint32_t value = 0;
    for (char c : loopFieldText_) {
        if (c < '0' || c > '9')
            break;
        value = (value * 10 + static_cast<uint32_t>(c - '0')) & 0xFFFF;
    }
    return static_cast<uint16_t>(value);
}

void MacroEditSession::LoadMacroIntoList(int index) {
    assert(index >= 0 && index < kMacroRecordCount);
    const MacroRecord &record = (*table_)[index];
    fillEditBuffer(buffer_, record.deviceEvents, record.hostEvents);
    refreshLines();
    selectedLine_.reset();
}

void MacroEditSession::StoreCurrentMacro() {
    if (!selectedMacro_)
        return;
    MacroRecord &record = (*table_)[*selectedMacro_];
    record.loopCount = loopMode_ ? loopFieldValue() : uint16_t{1};
    record.delayFlag = delayMode_ ? kDelayFlagBit : uint8_t{0};
    record.deviceEvents = buffer_.deviceEvents;
    record.hostEvents = buffer_.hostEvents;
}

void MacroEditSession::inform(MacroMessageId id) {
    const MacroMessage message = macroMessage(id, language_);
    prompts_.inform(message.text, message.caption);
}

void MacroEditSession::removeHookIfActive() {
    if (hookActive_) {
        hook_.remove();
        hookActive_ = false;
    }
    // Releases that can no longer arrive need no room.
    heldKeys_.clear();
}

void MacroEditSession::ensureHookInstalled() {
    if (!hookActive_)
        hookActive_ = hook_.install();
}

void MacroEditSession::refreshLines() { lines_ = buildEventLines(buffer_, keyNames_); }

int MacroEditSession::reservedBytes() const {
    return kLongEventSize * static_cast<int>(heldKeys_.size()) + (captureHoldsPress_ ? kShortEventSize : 0);
}

} // namespace quenlar
