#pragma once
// What every quenlar-ctl command shares: exit statuses, the one-line error, the data folder, the
// keyboard connection, and the terminal's answers to the questions the core asks.

#include "CtlOptions.h"

#include "device/HidLink.h"
#include "keymap/HostKeyRecord.h"
#include "keymap/ProgramFolder.h"
#include "model/KeyNameTable.h"
#include "model/KeyboardState.h"
#include "model/UserPrompts.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quenlar::ctl {

inline constexpr int kDone = 0;
inline constexpr int kFailed = 1;      // the keyboard or a file failed, or the core refused
inline constexpr int kUsageError = 2;  // the command line was wrong; nothing was done

// Prints "quenlar-ctl: MESSAGE" (a message's line breaks become blanks, its trailing ones go) and
// returns status.
int fail(const std::string &message, int status = kFailed);
// A core message as one line: inner line breaks become "; ", trailing ones are dropped.
std::string oneLine(std::string message);

struct Context {
    const CtlOptions &options;
    DataPaths paths;
    std::ostream &out;
};

// The keyboard the options name, with its trace. Nothing is opened before open().
class KeyboardSession {
public:
    explicit KeyboardSession(const CtlOptions &options);
    ~KeyboardSession();
    // Opens the trace file and both interfaces (the listener runs with onHostAction). Returns
    // kDone, or prints why not and returns the status to exit with. With needEvents false, an
    // open configuration interface is enough (reads only).
    // With quiet set, a missing keyboard is not reported (the caller carries on without one).
    int open(bool needEvents, KeyEventListener::HostActionHandler onHostAction = nullptr, bool quiet = false);
    HidLink &link() { return *link_; }
    HidTransport &transport() { return *transport_; }
    VirtualKeyboard *virtualKeyboard() { return virtual_; }

private:
    const CtlOptions &options_;
    std::unique_ptr<ReportTrace> trace_;
    std::unique_ptr<HidTransport> transport_;
    VirtualKeyboard *virtual_ = nullptr;
    RealSleeper sleeper_;
    std::unique_ptr<HidLink> link_;
};

// The transport the options name: the virtual keyboard (with its state file and faults) or USB;
// nullptr when this build has no USB support.
std::unique_ptr<HidTransport> makeTransport(const CtlOptions &options, VirtualKeyboard **virtualKeyboard = nullptr);

// The core's questions on a terminal: confirmations are answered by --yes (without it the
// question is printed and answered no), notices are collected, and the file choosers return
// the paths given on the command line.
class TerminalPrompts final : public UserPrompts {
public:
    explicit TerminalPrompts(bool yes) : yes_(yes) {}
    bool confirm(const std::string &text, const std::string &caption) override;
    void inform(const std::string &text, const std::string &caption) override;
    std::optional<std::filesystem::path> chooseFileToOpen(const std::string &filter) override;
    std::optional<std::filesystem::path> chooseFileToSave(const std::string &suggestedName,
                                                          const std::string &filter) override;

    std::optional<std::filesystem::path> fileToOpen;
    std::optional<std::filesystem::path> fileToSave;
    const std::vector<std::string> &notices() const { return notices_; }
    bool refusedConfirmation() const { return refused_; }
    // The first notice as one line, or the refused question; empty when there was neither.
    std::string problem() const;

private:
    bool yes_;
    bool refused_ = false;
    std::string refusedQuestion_;
    std::vector<std::string> notices_;
};

// A key of the key table by its index (0..112) or its label ("F1", "Esc"). A label that several
// keys carry is refused with the indexes to choose from.
std::optional<int> parseKey(const std::string &text, std::string &error);
// A virtual-key code: a number (decimal or 0x hex, 1..255) or a name of the key-name table
// ("F1", "LCtrl", "A"), compared without case and without the names' trailing blank.
std::optional<uint8_t> parseVirtualKey(const std::string &text, const KeyNameTable &names, std::string &error);
// A key name without its trailing blanks.
std::string trimmedName(std::string_view name);

// keymap.bin of the data folder into state and records (created when missing, as at the
// window's start). A failure prints its message and returns kFailed.
int loadWorkingConfiguration(const Context &context, KeyboardState &state, HostKeyRecords &records);

} // namespace quenlar::ctl

#include "macro/MacroRecord.h"

namespace quenlar::ctl {

// MacroDefine.bin of the data folder into table. A missing file gives the empty table and is
// created only when `create` is set (as the window does at start); a failure prints its message
// and returns kFailed.
int loadMacroTable(const Context &context, MacroTable &table, bool create);

} // namespace quenlar::ctl
