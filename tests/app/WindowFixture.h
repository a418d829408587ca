#pragma once
// A main window on a virtual keyboard, in a temporary data folder, with scripted answers to its
// questions, recording stand-ins for the dialogs and the desktop, and a report trace to read.

#include "app/ApplicationState.h"
#include "app/MainWindow.h"
#include "device/HidLink.h"
#include "device/ReportTrace.h"
#include "device/Sleeper.h"
#include "keymap/HostShell.h"
#include "model/UserPrompts.h"
#include "virtual/VirtualKeyboard.h"

#include <QPoint>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quenlar::testing {

// The protocol's pauses are traced but not slept.
class NoSleep final : public Sleeper {
public:
    void sleepMs(int) override {}
};

class ScriptedPrompts final : public UserPrompts {
public:
    std::deque<bool> answers;  // confirm() takes the next one; Cancel when none is left
    std::vector<std::string> questions;
    std::vector<std::string> notices;
    bool confirm(const std::string &text, const std::string &) override;
    void inform(const std::string &text, const std::string &) override { notices.push_back(text); }
    std::optional<std::filesystem::path> chooseFileToOpen(const std::string &) override { return std::nullopt; }
    std::optional<std::filesystem::path> chooseFileToSave(const std::string &, const std::string &) override {
        return std::nullopt;
    }
};

// Dialogs that record their calls; by default each ends with Cancel.
class RecordingDialogs final : public WindowDialogs {
public:
    int assignCalls = 0, macroCalls = 0, profileCalls = 0;
    int lastKey = -1;
    std::optional<AssignmentRequest> assignmentAnswer;              // OK with this request
    std::function<bool(DialogContext &)> macroManager;              // OK when it returns true
    std::function<void(DialogContext &)> profileManager;
    std::optional<AssignmentRequest> runKeyAssignment(QWidget *, DialogContext &, int keyIndex) override;
    bool runMacroManager(QWidget *, DialogContext &context) override;
    void runProfileManager(QWidget *, DialogContext &context) override;
};

class RecordingShell final : public HostShell {
public:
    std::vector<std::string> opened;
    bool openDocument(const std::string &path) override { opened.push_back("document " + path); return true; }
    bool openFolder(const std::string &path) override { opened.push_back("folder " + path); return true; }
    bool startProgram(const std::string &path, const std::string &) override {
        opened.push_back("program " + path);
        return true;
    }
};

struct WindowFixture {
    explicit WindowFixture(Language language = Language::English, const VirtualKeyboardMemory *memory = nullptr);
    ~WindowFixture();

    // Initialises the window and waits until the keyboard's read was shown.
    void start();

    QTemporaryDir dir;
    VirtualKeyboard keyboard;
    NoSleep sleeper;
    std::string tracePath;
    std::unique_ptr<ReportTrace> trace;
    std::unique_ptr<HidLink> link;
    std::unique_ptr<ApplicationState> app;
    ScriptedPrompts prompts;
    RecordingDialogs dialogs;
    RecordingShell shell;
    std::unique_ptr<MainWindow> window;

    KeyboardState &working() { return app->images.working; }
    void click(QPoint at);
    void move(QPoint at);
    // The centre of key `index` on the window.
    static QPoint keyCentre(int index);
    // Report lines written to the trace so far ("> feature ...", "> output ...").
    std::vector<std::string> sentReports() const;
    // keymap.bin as the window last wrote it.
    std::vector<uint8_t> keymapFile() const;
    KeyboardState keymapState() const;
};

} // namespace quenlar::testing
