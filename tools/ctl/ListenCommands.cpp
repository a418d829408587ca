// listen: the key event listener and the host actions without the window.
// virtual press KEY: a finger for the virtual keyboard of another quenlar-ctl.
//
// A virtual keyboard lives inside one process, so a press from another process travels through
// a small file beside the state file, "<STATE_FILE>.presses": `virtual press` appends the key's
// index on a line of its own, and a `listen` on the same state file takes the file away (by
// renaming it) and presses those keys on its keyboard.

#include "Commands.h"

#include "keymap/HostAction.h"
#include "keymap/KeymapFile.h"
#include "model/KeyTable.h"
#ifdef QUENLAR_HAVE_HIDAPI
#include "platform/Shell.h"
#include <QGuiApplication>
#endif

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

namespace quenlar::ctl {

namespace {

std::atomic<bool> stopRequested{false};

extern "C" void requestStop(int) { stopRequested = true; }

std::string pressFile(const std::string &stateFile) { return stateFile + ".presses"; }

std::vector<int> takePresses(const std::string &stateFile) {
    const std::string file = pressFile(stateFile);
    const std::string taken = file + ".taken." + std::to_string(::getpid());
    std::vector<int> keys;
    if (std::rename(file.c_str(), taken.c_str()) != 0)
        return keys;
    std::ifstream in(taken);
    for (int key; in >> key;)
        if (key >= 0 && key < kKeyCount)
            keys.push_back(key);
    std::error_code error;
    std::filesystem::remove(taken, error);
    return keys;
}

const char *outcomeText(HostActionOutcome outcome) {
    switch (outcome) {
    case HostActionOutcome::NoRecord:
        return "no key has a host action for this code";
    case HostActionOutcome::NothingToOpen:
        return "the stored path names no file";
    case HostActionOutcome::Started:
        return "started";
    case HostActionOutcome::Failed:
        return "the desktop refused it";
    }
    return "";
}

#ifndef QUENLAR_HAVE_HIDAPI
// Without the platform layer: the desktop's opener for files and folders, programs started
// directly, all detached.
class TerminalShell final : public HostShell {
public:
    bool openDocument(const std::string &path) override { return spawn("xdg-open", path, {}); }
    bool openFolder(const std::string &path) override { return spawn("xdg-open", path, {}); }
    bool startProgram(const std::string &path, const std::string &folder) override { return spawn(path, {}, folder); }

private:
    static bool spawn(const std::string &program, const std::string &argument, const std::string &folder) {
        const pid_t child = ::fork();
        if (child < 0)
            return false;
        if (child == 0) {
            if (::fork() != 0)
                std::_Exit(0);
            if (!folder.empty() && ::chdir(folder.c_str()) != 0)
                std::_Exit(127);
            if (argument.empty())
                ::execlp(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
            else
                ::execlp(program.c_str(), program.c_str(), argument.c_str(), static_cast<char *>(nullptr));
            std::_Exit(127);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return true;
    }
};
#endif

} // namespace

int runListen(Context &context, const Arguments &args) {
    if (!args.empty())
        return fail("listen takes no arguments", kUsageError);
#ifdef QUENLAR_HAVE_HIDAPI
    // Opening documents goes through the desktop's services, which need a GUI application.
    std::unique_ptr<QGuiApplication> gui;
    if (std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY")) {
        static int argc = 1;
        static char name[] = "quenlar-ctl";
        static char *argv[] = {name, nullptr};
        gui = std::make_unique<QGuiApplication>(argc, argv);
    }
    DesktopShell shell;
#else
    TerminalShell shell;
#endif
    KeyboardState state;
    auto records = std::make_unique<HostKeyRecords>();
    if (int status = loadWorkingConfiguration(context, state, *records); status != kDone)
        return status;

    std::mutex outputMutex;
    auto onHostAction = [&](uint32_t code) {
        // keymap.bin is read again for every key, so assignments made meanwhile count.
        auto current = std::make_unique<HostKeyRecords>();
        KeyboardState unused;
        if (const auto bytes = readConfigurationFile(context.paths.keymapFile()))
            takeKeymapFileBytes(*bytes, KeymapLoadMode::RecordsOnly, unused, *current);
        else
            *current = *records;
        fillVirtualKeys(*current);
        const HostActionOutcome outcome = runHostAction(code, *current, shell);
        std::lock_guard lock(outputMutex);
        char text[32];
        std::snprintf(text, sizeof text, "key 0x%02X: ", code & 0xFF);
        context.out << text << outcomeText(outcome) << std::endl;
    };

    KeyboardSession session(context.options);
    if (int status = session.open(true, onHostAction); status != kDone)
        return status;
    stopRequested = false;
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    {
        std::lock_guard lock(outputMutex);
        context.out << "Listening for host-action keys; Ctrl+C stops." << std::endl;
    }
    auto lastTry = std::chrono::steady_clock::now();
    bool reportedGone = false;
    while (!stopRequested) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (VirtualKeyboard *keyboard = session.virtualKeyboard(); keyboard && !context.options.stateFile.empty())
            for (int key : takePresses(context.options.stateFile))
                keyboard->pressKey(key);
        if (session.link().listenerRunning())
            continue;
        // Unplugged: try again every two seconds.
        if (!reportedGone) {
            std::lock_guard lock(outputMutex);
            std::cerr << "quenlar-ctl: the keyboard went away; waiting for it" << std::endl;
            reportedGone = true;
        }
        if (std::chrono::steady_clock::now() - lastTry < std::chrono::seconds(2))
            continue;
        lastTry = std::chrono::steady_clock::now();
        session.link().closeLink();
        if (session.link().open(onHostAction))
            reportedGone = false;
    }
    return kDone;
}

int runVirtual(Context &context, const Arguments &args) {
    if (args.size() != 2 || args[0] != "press")
        return fail("usage: quenlar-ctl --device=virtual:STATE_FILE virtual press KEY", kUsageError);
    if (!context.options.virtualDevice || context.options.stateFile.empty())
        return fail("virtual press needs --device=virtual:STATE_FILE", kUsageError);
    std::string error;
    const auto key = parseKey(args[1], error);
    if (!key)
        return fail(error, kUsageError);
    VirtualKeyboard keyboard(context.options.stateFile);
    if (!keyboard.stateFileError().empty())
        return fail(keyboard.stateFileError());
    // Pressing this copy tells whether the key reports to the computer; only such a key has
    // anything to deliver.
    if (!keyboard.pressKey(*key))
        return fail("key " + args[1] + " does not report to the computer (give it a host action with assign)");
    const std::string file = pressFile(context.options.stateFile);
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0)
        return fail("cannot write " + file);
    const std::string line = std::to_string(*key) + "\n";
    const bool written = ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    ::close(fd);
    if (!written)
        return fail("cannot write " + file);
    context.out << "Pressed key " << *key << " (" << keyAt(*key).label << ").\n";
    return kDone;
}

} // namespace quenlar::ctl
