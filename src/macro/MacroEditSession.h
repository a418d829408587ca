#pragma once
// Everything the macro manager window does, without the window: the working copy of the macro
// library, the selected macro, recording from the keyboard, and editing the selected macro's
// events. The window shows macroName(i) for the macro list and lines() for the event list, and
// forwards its clicks, menu commands, in-place edits and captured keys to the methods below.
//
// Every change to the selected macro's events is written back to its record at once
// (StoreCurrentMacro). Messages go to the user through UserPrompts in the interface language.
//
// The hook and the prompts must outlive the session; the session removes the hook when it ends.

#include "macro/MacroEditBuffer.h"
#include "macro/MacroEventLines.h"
#include "macro/MacroKeyHook.h"
#include "macro/MacroMessages.h"
#include "macro/MacroRecord.h"
#include "model/KeyNameTable.h"
#include "model/Language.h"
#include "model/UserPrompts.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quenlar {

enum class MouseButton { Left, Right, Middle };
enum class MouseKeyAction { Down, Up, Click };

class MacroEditSession {
public:
    MacroEditSession(const KeyNameTable &keyNames, UserPrompts &prompts, MacroKeyHook &hook, Language language,
                     MacroClock clock);
    ~MacroEditSession();
    MacroEditSession(const MacroEditSession &) = delete;
    MacroEditSession &operator=(const MacroEditSession &) = delete;

    // --- opening and closing (MacroEditSession.cpp) -------------------------------------
    // Starts from a copy of the master table and selects the first macro, if any.
    void open(const MacroTable &master);
    // OK: stops recording, takes the loop field into the selected macro and returns the working
    // table for the caller to copy into the master table.
    const MacroTable &accept();
    // Cancel or the window going away: stops recording; the working table is thrown away by the caller.
    void close();
    const MacroTable &workingTable() const { return *table_; }

    // --- the macro list ------------------------------------------------------------------
    int macroCount() const { return namedMacroCount(*table_); }
    std::u16string_view macroName(int index) const;
    std::optional<int> selectedMacro() const { return selectedMacro_; }
    void selectMacro(std::optional<int> index);
    // New button; false when 32 macros exist already.
    bool newMacro();
    // Delete button: asks for confirmation, then removes the selected macro.
    void deleteMacro();
    // A committed in-place rename. A name that is empty or longer than 254 UTF-16 units is refused
    // with a message and false; the old name stays.
    bool renameMacro(int index, std::u16string_view name);

    // --- options ---------------------------------------------------------------------------
    bool delayMode() const { return delayMode_; }
    void toggleDelayMode() { delayMode_ = !delayMode_; }
    bool loopMode() const { return loopMode_; }
    // Turning looping off sets the loop field to "1".
    void toggleLoopMode();
    const std::string &loopFieldText() const { return loopFieldText_; }
    // The loop field changed: the selected macro's loopCount follows it at once.
    void setLoopFieldText(std::string text);

    // --- recording (MacroRecording.cpp) ----------------------------------------------------
    bool recording() const { return recording_; }
    bool hookActive() const { return hookActive_; }
    // Record button.
    void toggleRecording();
    // An in-place edit is starting in either list: recording stops.
    void editStarting();
    // A key press or release from the key capture, virtual-key code 0..255.
    void onHookKey(int vk, bool release);
    // Appends one event at position (the used-byte count) with its lines and returns the new
    // used-byte count; an event that does not fit, or a key without a device code, is refused
    // and the count comes back unchanged.
    int InsertMacroToList(uint8_t vk, int position, int delayMs, bool release);

    // --- the event list and editing (MacroEditCommands.cpp) -----------------------------------
    const std::vector<EventLine> &lines() const { return lines_; }
    std::optional<int> selectedLine() const { return selectedLine_; }
    void selectLine(std::optional<int> line);
    bool capturePending() const { return capturePending_; }
    void insertBefore();
    void insertAfter();
    void insertMouseKey(MouseButton button, MouseKeyAction action);
    void insertDelay();
    void deleteSelected();
    // The in-place editor committed a new delay for a delay line; the delay is kept within
    // 2..60000 ms. False when the change does not fit the macro (the user is told).
    bool editDelay(int line, int ms);

    const MacroEditBuffer &buffer() const { return buffer_; }
    // Rebuilds the buffer and the lines from record index of the working table; no line selected.
    void LoadMacroIntoList(int index);
    // Writes the buffer, the options and the loop field into the selected macro's record.
    void StoreCurrentMacro();

private:
    void inform(MacroMessageId id);
    void removeHookIfActive();
    void ensureHookInstalled();
    void cancelCapture();
    void refreshLines();
    uint16_t loopFieldValue() const;
    // Bytes held back for releases still to come: 4 for every recorded key still held, 2 for the
    // release that will end a capture which already inserted a press.
    int reservedBytes() const;
    bool fits(int bytes) const { return buffer_.usedBytes + bytes + reservedBytes() <= kMacroStreamSize; }
    void recordKey(uint8_t vk, bool release);
    void captureKey(uint8_t vk, bool release);
    void startCapture(int line);
    bool insertLinesEvent(int line, uint8_t flag, uint8_t key, uint8_t usage);

    const KeyNameTable &keyNames_;
    UserPrompts &prompts_;
    MacroKeyHook &hook_;
    Language language_;
    MacroClock clock_;

    std::unique_ptr<MacroTable> table_;
    std::optional<int> selectedMacro_;
    bool delayMode_ = false;
    bool loopMode_ = false;
    std::string loopFieldText_;

    MacroEditBuffer buffer_;
    std::vector<EventLine> lines_;
    std::optional<int> selectedLine_;

    bool recording_ = false;
    bool hookActive_ = false;
    std::string lastKeyLine_;
    std::chrono::steady_clock::time_point referenceTime_{};
    std::vector<uint8_t> heldKeys_; // recorded presses whose release has room reserved

    bool capturePending_ = false;
    int captureLine_ = 0;
    bool captureHoldsPress_ = false;
};

} // namespace quenlar
