// Whole configurations written to the virtual keyboard come back unchanged, across runs too, and
// the link follows the keyboard being unplugged and plugged in again.

#include "LinkFixture.h"

#include "model/KeyTable.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace quenlar;
using namespace quenlar::test;
namespace fs = std::filesystem;

namespace {

// A state in which every section differs from the keyboard's factory configuration.
KeyboardState everySectionChanged(const KeyboardState &from) {
    KeyboardState s = from;
    s.reportRate = 1;
    s.responseTime = 7;
    s.lightEffect = 52;
    s.lightSpeed = 2;
    s.lightBrightness = 17;
    s.lightColour = 4;
    s.lightDirection = 3;
    for (int i = 0; i < 21; ++i)
        s.presetColours[i] = static_cast<uint8_t>(200 - i);
    s.gameMode = 1;
    s.winLock = 1;
    s.keyEnableMask[5] = 0x0F;
    for (int i = 0; i < 504; ++i)
        s.keyMatrix[i] = static_cast<uint8_t>(i * 3);
    for (std::size_t i = 0; i < s.macroSlots.size(); ++i)
        s.macroSlots[i] = static_cast<uint8_t>(i * 5 + 1);
    for (std::size_t i = 0; i < s.customLayers.size(); ++i)
        s.customLayers[i] = static_cast<uint8_t>(i * 11 + 2);
    return s;
}

void expectSectionsEqual(const KeyboardState &a, const KeyboardState &b) {
    EXPECT_EQ(a.reportRate, b.reportRate);
    EXPECT_EQ(a.responseTime, b.responseTime);
    EXPECT_EQ(a.lightEffect, b.lightEffect);
    EXPECT_EQ(a.lightSpeed, b.lightSpeed);
    EXPECT_EQ(a.lightBrightness, b.lightBrightness);
    EXPECT_EQ(a.lightColour, b.lightColour);
    EXPECT_EQ(a.lightDirection, b.lightDirection);
    EXPECT_EQ(a.presetColours, b.presetColours);
    EXPECT_EQ(a.gameMode, b.gameMode);
    // Bit 8, a position no key uses, is where the keyboard reports its Windows-key lock.
    auto maskA = a.keyEnableMask, maskB = b.keyEnableMask;
    maskA[1] &= 0xFE;
    maskB[1] &= 0xFE;
    EXPECT_EQ(maskA, maskB);
    EXPECT_EQ(a.winLock, b.winLock);
    EXPECT_EQ(a.keyMatrix, b.keyMatrix);
    for (int n = 0; n < kMacroSlotCount; ++n)
        EXPECT_TRUE(std::ranges::equal(a.macroSlot(n), b.macroSlot(n))) << "macro slot " << n;
    for (int n = 0; n < kCustomLayerCount; ++n)
        EXPECT_TRUE(std::ranges::equal(a.customLayer(n), b.customLayer(n))) << "custom layer " << n;
}

using RoundTrip = LinkFixture;

TEST_F(RoundTrip, EverySectionWrittenIsReadBackUnchanged) {
    openLink();
    KeyboardImages images = readKeyboard();
    images.working = everySectionChanged(images.working);
    auto written = link.writeAll(images);
    ASSERT_TRUE(written.result.ok()) << written.result.message();
    EXPECT_EQ(images.synced, images.working);
    settleAcknowledgements();

    auto read = link.readAll(KeyboardState{});
    ASSERT_TRUE(read.result.ok());
    expectSectionsEqual(read.state, images.working);
}

TEST(VirtualKeyboardStateFile, KeepsTheConfigurationAcrossRuns) {
    const fs::path file = fs::temp_directory_path() / ("quenlar-vkb-" + std::to_string(::getpid()) + ".bin");
    fs::remove(file);
    KeyboardState expected;
    {
        VirtualKeyboard keyboard(file.string());
        CountingSleeper sleeper;
        ReportTrace trace;
        HidLink link(keyboard, sleeper, trace);
        ASSERT_TRUE(link.open(nullptr));
        KeyboardImages images;
        images.working = link.readAll(KeyboardState{}).state;
        images.commit();
        images.working = everySectionChanged(images.working);
        ASSERT_TRUE(link.writeAll(images).result.ok());
        expected = images.working;
        EXPECT_TRUE(keyboard.stateFileError().empty()) << keyboard.stateFileError();
    }
    {
        VirtualKeyboard keyboard(file.string());
        CountingSleeper sleeper;
        ReportTrace trace;
        HidLink link(keyboard, sleeper, trace);
        ASSERT_TRUE(link.open(nullptr));
        auto read = link.readAll(KeyboardState{});
        ASSERT_TRUE(read.result.ok());
        expectSectionsEqual(read.state, expected);
    }
    // A damaged state file is reported and the keyboard starts from its factory configuration.
    std::ofstream(file, std::ios::trunc) << "not a keyboard";
    VirtualKeyboard damaged(file.string());
    EXPECT_FALSE(damaged.stateFileError().empty());
    EXPECT_EQ(damaged.memory(), factoryMemory());
    fs::remove(file);
}

TEST_F(RoundTrip, UnplugAndReplugReopensReadsAndRestartsTheListener) {
    std::vector<bool> notices;
    keyboard.setPlugListener([&](bool plugged) { notices.push_back(plugged); });
    openLink();
    KeyboardImages images = readKeyboard();
    EXPECT_TRUE(link.listenerRunning());

    keyboard.unplug();
    link.handleRemoval();
    EXPECT_FALSE(link.configOpen());
    EXPECT_FALSE(link.eventOpen());
    EXPECT_FALSE(link.listenerRunning());

    // Changed behind the program's back while unplugged (on another computer, say).
    VirtualKeyboardMemory m = keyboard.memory();
    m.lightBrightness = 5;
    keyboard.setMemory(m);
    keyboard.plug();
    EXPECT_EQ(notices, (std::vector<bool>{false, true}));

    DeviceInfo device;
    const long slept = sleeper.total();
    auto outcome = link.handleArrival(images.working, device, [this](uint8_t code) { takeHostCode(code); });
    EXPECT_EQ(sleeper.total() - slept >= 2000, true);
    EXPECT_TRUE(outcome.configReopened);
    EXPECT_TRUE(outcome.eventReopened);
    EXPECT_TRUE(outcome.readResult.ok());
    EXPECT_TRUE(link.listenerRunning());
    EXPECT_EQ(images.working.lightBrightness, 5);
    EXPECT_EQ(device.versionCopy, (VersionCopy{1, 4, 0, 0}));
    // The replug read does not commit.
    EXPECT_NE(images.synced.lightBrightness, 5);

    // A second arrival notice (another USB device) finds everything open and does nothing.
    auto again = link.handleArrival(images.working, device, nullptr);
    EXPECT_FALSE(again.configReopened);
    EXPECT_FALSE(again.eventReopened);
}

TEST_F(RoundTrip, TheReadAllWorkerReadsOnItsOwnThreadAndHandsTheImageOver) {
    openLink();
    VirtualKeyboardMemory m = keyboard.memory();
    m.lightBrightness = 12;
    keyboard.setMemory(m);
    KeyboardState start;  // what keymap.bin held
    start.reservedArea[5] = 0x77;
    std::atomic<bool> done{false};
    ReadAllOutcome delivered;
    std::thread::id workerThread;
    link.startReadAllWorker(start, [&](ReadAllOutcome outcome) {
        delivered = std::move(outcome);
        workerThread = std::this_thread::get_id();
        done = true;
    });
    link.waitForReadAllWorker();
    ASSERT_TRUE(done);
    EXPECT_NE(workerThread, std::this_thread::get_id());
    ASSERT_TRUE(delivered.result.ok());
    EXPECT_EQ(delivered.state.lightBrightness, 12);
    EXPECT_EQ(delivered.state.reservedArea[5], 0x77);
    EXPECT_EQ(delivered.device.versionCopy, (VersionCopy{1, 4, 0, 0}));
}

TEST_F(RoundTrip, ArrivalWithTheKeyboardAbsentOpensNothing) {
    keyboard.unplug();
    KeyboardState working;
    DeviceInfo device;
    auto outcome = link.handleArrival(working, device, nullptr);
    EXPECT_FALSE(outcome.configReopened);
    EXPECT_FALSE(outcome.eventReopened);
    EXPECT_FALSE(link.configOpen());
}

TEST_F(RoundTrip, HostActionKeysAreReportedToTheProgram) {
    openLink();
    KeyboardImages images = readKeyboard();
    const auto &key = keyAt(42);  // Q
    images.working.setKeyAction(key.matrixSlot(), {10, 0, key.virtualKey, 0});
    ASSERT_TRUE(link.writeAll(images).result.ok());
    EXPECT_FALSE(keyboard.pressKey(43));  // W still types
    ASSERT_TRUE(keyboard.pressKey(42));
    for (int i = 0; i < 500 && receivedHostCodes().empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    link.closeLink();
    EXPECT_EQ(receivedHostCodes(), (std::vector<uint8_t>{key.virtualKey}));
}

} // namespace
