#pragma once
// The program's data around a dialog: the working images and records as the main window keeps
// them, keymap.bin in a temporary folder, and a virtual keyboard on the other end of the link,
// so that a test can apply what a dialog returned, write it to the keyboard and press keys.

#include "device/HidLink.h"
#include "keymap/ApplyAssignment.h"
#include "keymap/KeymapFile.h"
#include "macro/MacroSlots.h"
#include "model/KeyTable.h"
#include "virtual/VirtualKeyboard.h"

#include <QTemporaryDir>
#include <QtTest>

#include <mutex>
#include <thread>

namespace quenlar::testing {

class NoSleeper final : public Sleeper {
public:
    void sleepMs(int) override {}
};

// KeyTable index of the key producing this virtual key.
inline int keyIndexOf(uint8_t vk) {
    for (int i = 0; i < kKeyCount; ++i)
        if (keyAt(i).virtualKey == vk && keyAt(i).onPicture())
            return i;
    return -1;
}

struct KeyboardTestRig {
    QTemporaryDir dir;
    KeyNameTable names;
    Language language = Language::English;
    KeyboardImages images;
    HostKeyRecordImages records;
    MacroTable macros{};
    KeyChangedFlags changed{};

    VirtualKeyboard keyboard;
    NoSleeper sleeper;
    ReportTrace trace;
    HidLink link{keyboard, sleeper, trace};
    std::mutex codesMutex;
    std::vector<uint8_t> hostCodes;

    KeyboardTestRig() {
        // The program's start: the keyboard is read into both images, the records are fresh.
        if (!link.open([this](uint8_t code) {
                std::lock_guard lock(codesMutex);
                hostCodes.push_back(code);
            }))
            qFatal("the virtual keyboard did not open");
        const ReadAllOutcome read = link.readAll(KeyboardState{});
        if (!read.result.ok())
            qFatal("the virtual keyboard could not be read");
        images.working = read.state;
        images.commit();
        fillVirtualKeys(records.working);
        records.commit();
    }

    std::filesystem::path keymapFile() const { return std::filesystem::path(dir.path().toStdString()) / "keymap.bin"; }
    std::filesystem::path dataFolder() const { return std::filesystem::path(dir.path().toStdString()); }

    // What the main window does after the key assignment dialog's OK.
    Result apply(int key, AssignmentRequest request) {
        const AssignmentTarget target{images.working, records.working, changed};
        const AssignmentEnvironment environment{names, language,
                                                [this](KeyboardState &state) { PackMacroSlots(macros, state); }};
        return applyConfirmedAssignment(key, request, target, environment, keymapFile());
    }

    // keymap.bin as a fresh program start would read it.
    std::pair<KeyboardState, HostKeyRecords> readKeymapFile() const {
        std::pair<KeyboardState, HostKeyRecords> loaded{};
        const auto bytes = readConfigurationFile(keymapFile());
        if (!bytes || bytes->size() != kKeymapFileSize)
            qWarning("keymap.bin is missing or has the wrong size");
        else
            takeKeymapFileBytes(*bytes, KeymapLoadMode::Full, loaded.first, loaded.second);
        return loaded;
    }

    // Save: every changed section goes to the keyboard.
    bool writeToKeyboard() {
        const WriteAllOutcome outcome = link.writeAll(images);
        if (outcome.result.ok())
            records.commit();
        return outcome.result.ok();
    }

    KeyAction keyboardAction(int key) const {
        const auto matrix = keyboard.memory().keyMatrix;
        const int slot = keyAt(key).matrixSlot();
        return {matrix[4 * slot], matrix[4 * slot + 1], matrix[4 * slot + 2], matrix[4 * slot + 3]};
    }

    std::vector<uint8_t> waitForHostCodes(std::size_t count) {
        for (int i = 0; i < 3000; ++i) {
            {
                std::lock_guard lock(codesMutex);
                if (hostCodes.size() >= count)
                    return hostCodes;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::lock_guard lock(codesMutex);
        return hostCodes;
    }
};

} // namespace quenlar::testing
