#pragma once
// Everything the key assignment dialog (CKeyMap) decides, without the window: the page, the
// capture of a single key or a combination of up to three, the Disable box, the Advance page's
// rows, and the request that Save, Default or Cancel leave behind. The window shows texts()
// and forwards clicks, focus changes and captured keys here.
//
// request().category doubles as the capture mode while the dialog is open: 0 Single, 1 Combine,
// anything else captures nothing.

#include "keymap/AssignmentCategory.h"
#include "keymap/AssignmentRequest.h"
#include "keymap/HostKeyRecord.h"
#include "model/KeyNameTable.h"
#include "model/Language.h"

#include <optional>
#include <string>

namespace quenlar::dialogs {

inline constexpr int kAdvanceRows = 4; // Play Sound, Startup, Open File, Open Folder
inline constexpr int kNoRow = -1;

// How the Advance page's path field shows a path: paths longer than 13 characters as ".."
// followed by the part from the last separator on (a separator at the very end does not count).
std::u16string shortPathForField(std::u16string_view path, char16_t separator = u'/');

class KeyAssignmentState {
public:
    enum class Outcome { Stay, Ok, Cancel };
    // What Save asks of the window: close, or stay and show a message.
    struct SaveResult {
        Outcome outcome = Outcome::Stay;
        std::string message; // non-empty: show it (caption: the application's name)
    };
    // The Basic page's tree selection as Save sees it.
    struct TreeChoice {
        std::string text;
        bool isGroup = false;
    };

    KeyAssignmentState(const KeyNameTable &names, Language language) : names_(names), language_(language) {}

    // Opening for a key with record `record` and the key's enable bit. Afterwards functionName()
    // names the catalogue entry of a Basic record and macroSelection() the macro of a Macro record.
    void open(const HostKeyRecord &record, bool keyEnabled);

    AssignmentPage page() const { return page_; }
    const AssignmentRequest &request() const { return request_; }
    AssignmentRequest &request() { return request_; }
    int captureMode() const { return static_cast<int>(request_.category); }
    const std::string &singleText() const { return singleText_; }
    const std::string &combineText() const { return combineText_; }
    bool disableBox() const { return disableBox_; }
    bool keepLoaded() const { return keepLoaded_; }
    int litRow() const { return litRow_; }
    int selectedRow() const { return selectedRow_; }
    std::optional<int> macroSelection() const { return macroSelection_; }
    // Which edit the window gives the focus after opening; nullopt: none.
    std::optional<AssignmentCategory> focusAtOpen() const { return focusAtOpen_; }

    // A key from the key capture (one message per key pressed).
    void hookKey(uint8_t vk);
    void singleEditFocused();
    void combineEditFocused();
    void deleteAll(); // the Combine edit's "Delete All"

    // Page buttons; true when the page was another one (the window then resets its controls).
    bool showPage(AssignmentPage page);
    void toggleDisable() { disableBox_ = !disableBox_; }
    void chooseDefault() { request_.keyCount = kRestoreDefaultKeyCount; }
    void cancel();
    // Save on the current page. macroSelection: the macro list's selected index or -1.
    SaveResult save(int macroSelection, const std::optional<TreeChoice> &tree);

    // The Advance page's cells.
    void clickRadio(int row);
    void browseStarted(int row) { litRow_ = row; }
    // A chooser's answer: a path makes the row the chosen one.
    void browseChosen(int row, const std::u16string &path);
    void clickOutsideCells();

private:
    void clearCapture();
    std::string name(uint8_t vk) const { return std::string(names_.name(vk)); }

    const KeyNameTable &names_;
    Language language_;
    AssignmentPage page_ = AssignmentPage::SingleCombine;
    AssignmentRequest request_;
    std::string singleText_, combineText_;
    bool keepLoaded_ = false;
    bool disableBox_ = false;
    int litRow_ = kNoRow;
    int selectedRow_ = kNoRow;
    std::optional<int> macroSelection_;
    std::optional<AssignmentCategory> focusAtOpen_;
};

} // namespace quenlar::dialogs
