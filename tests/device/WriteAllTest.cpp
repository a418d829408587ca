// Write-all sends exactly the sections that differ, in the keyboard's order, each step
// acknowledged, with every protocol pause; these tests pin the reports and pauses line by line.

#include "LinkFixture.h"

#include <algorithm>
#include <atomic>

using namespace quenlar;
using namespace quenlar::test;

namespace {

class WriteAll : public LinkFixture {
protected:
    void SetUp() override {
        openLink();
        images = readKeyboard();
        clearTrace();
        keyboard.clearReceived();
    }

    std::vector<std::string> blockLines(std::span<const uint8_t> section, int blocks) {
        std::vector<std::string> lines;
        for (int i = 0; i < blocks; ++i) {
            DataReport report{};
            for (int j = 0; j < 64 && 64 * i + j < static_cast<int>(section.size()); ++j)
                report[1 + j] = section[64 * i + j];
            lines.push_back(traceLine("> output ", report));
        }
        return lines;
    }

    KeyboardImages images;
};

TEST_F(WriteAll, NothingChangedSendsNothingAndCommitsNothing) {
    images.synced.spareByte = 1;  // not a section: never compared
    const KeyboardState before = images.synced;
    auto outcome = link.writeAll(images);
    EXPECT_TRUE(outcome.result.ok());
    EXPECT_FALSE(outcome.sentAnything);
    EXPECT_TRUE(traceLines().empty());
    EXPECT_EQ(images.synced, before);
}

TEST_F(WriteAll, OnlyBrightnessSendsTheClosingLightingCommandAlone) {
    images.working.lightBrightness = 10;
    auto outcome = link.writeAll(images);
    ASSERT_TRUE(outcome.result.ok()) << outcome.result.message();
    EXPECT_EQ(traceLines(), (std::vector<std::string>{
                                featureOut(setLightingReport(images.working, LightingPhase::Close)),
                                sleepLine(10),
                            }));
    EXPECT_EQ(images.synced, images.working);
    EXPECT_EQ(keyboard.memory().lightBrightness, 10);
}

TEST_F(WriteAll, OnlyMacroSlotSevenOpensWritesAndCloses) {
    images.working.macroSlot(7)[0] = 0x42;
    images.working.macroSlot(7)[191] = 0x43;
    auto outcome = link.writeAll(images);
    ASSERT_TRUE(outcome.result.ok()) << outcome.result.message();
    const auto blocks = blockLines(images.working.macroSlot(7), 3);
    EXPECT_EQ(traceLines(), (std::vector<std::string>{
                                featureOut(setLightingReport(images.working, LightingPhase::Open)),
                                sleepLine(10),
                                sleepLine(10),
                                featureOut(writeMacroSlotReport(7)),
                                sleepLine(1),
                                blocks[0],
                                sleepLine(0),
                                blocks[1],
                                sleepLine(0),
                                blocks[2],
                                featureOut(setLightingReport(images.working, LightingPhase::Close)),
                                sleepLine(10),
                            }));
    EXPECT_EQ(images.synced, images.working);
    const auto memory = keyboard.memory();
    EXPECT_TRUE(std::equal(memory.macroSlots.begin() + 7 * 192, memory.macroSlots.begin() + 8 * 192,
                           images.working.macroSlot(7).begin()));
}

TEST_F(WriteAll, OnePresetColourSendsAllSevenBeforeOneWait) {
    images.working.presetColour(4)[1] = 0x77;
    auto outcome = link.writeAll(images);
    ASSERT_TRUE(outcome.result.ok());
    std::vector<std::string> expected = {featureOut(setLightingReport(images.working, LightingPhase::Open)),
                                         sleepLine(10), sleepLine(10)};
    for (int n = 0; n < 7; ++n) {
        expected.push_back(featureOut(setPresetColourReport(images.working, n)));
        expected.push_back(sleepLine(20));
    }
    expected.push_back(featureOut(setLightingReport(images.working, LightingPhase::Close)));
    expected.push_back(sleepLine(10));
    EXPECT_EQ(traceLines(), expected);
}

TEST_F(WriteAll, StepsWaitWhereTheKeyboardMustAcknowledge) {
    // A keyboard that stops completing writes shows where each wait stands: the sequence stops at
    // the first unacknowledged step, after all seven colours and before the game-mode command.
    images.working.presetColour(0)[0] ^= 1;
    images.working.gameMode ^= 1;
    const KeyboardImages before = images;
    VirtualKeyboardFaults faults;
    faults.writeStepsBeforeDrop = 1;  // phase 1 only
    keyboard.setFaults(faults);
    auto outcome = link.writeAll(images);
    EXPECT_EQ(outcome.result.failure, LinkFailure::NoAcknowledgement);
    EXPECT_EQ(outcome.result.step, "SetPresetColour");
    const auto lines = traceLines();
    ASSERT_EQ(lines.size(), 3u + 14u);
    EXPECT_EQ(lines.back(), sleepLine(20));
    EXPECT_EQ(lines[lines.size() - 2], featureOut(setPresetColourReport(images.working, 6)));
    // Nothing committed, the working image kept.
    EXPECT_EQ(images.synced, before.synced);
    EXPECT_EQ(images.working, before.working);
}

TEST_F(WriteAll, AKeyboardThatNeverAcknowledgesFailsAndKeepsEverything) {
    images.working.lightBrightness = 10;
    const auto memoryBefore = keyboard.memory();
    const KeyboardImages before = images;
    VirtualKeyboardFaults faults;
    faults.dropAcknowledgements = true;
    keyboard.setFaults(faults);
    auto outcome = link.writeAll(images);
    EXPECT_EQ(outcome.result.failure, LinkFailure::NoAcknowledgement);
    EXPECT_EQ(outcome.result.step, "SetLighting 2");
    EXPECT_NE(outcome.result.message().find("did not acknowledge SetLighting 2"), std::string::npos);
    EXPECT_EQ(images.synced, before.synced);
    EXPECT_EQ(images.working, before.working);
    EXPECT_EQ(keyboard.memory(), memoryBefore);
}

TEST_F(WriteAll, LateAcknowledgementsAreStillSeen) {
    VirtualKeyboardFaults faults;
    faults.acknowledgementDelay = std::chrono::milliseconds(50);
    keyboard.setFaults(faults);
    images.working.macroSlot(0)[0] = 1;
    images.working.customLayer(0)[0] = 1;
    auto outcome = link.writeAll(images);
    EXPECT_TRUE(outcome.result.ok()) << outcome.result.message();
    EXPECT_EQ(images.synced, images.working);
}

TEST_F(WriteAll, WithoutAKeyboardNothingIsSentOrCommitted) {
    link.closeLink();
    clearTrace();
    images.working.lightBrightness = 3;
    const KeyboardImages before = images;
    auto outcome = link.writeAll(images);
    EXPECT_EQ(outcome.result.failure, LinkFailure::NoKeyboard);
    EXPECT_FALSE(outcome.sentAnything);
    EXPECT_TRUE(traceLines().empty());
    EXPECT_EQ(images.synced, before.synced);
    EXPECT_EQ(images.working.lightBrightness, 3);
}

TEST_F(WriteAll, UnpluggedMidSequenceEndsCleanly) {
    std::atomic<int> unplugNotices{0};
    keyboard.setPlugListener([&](bool plugged) { unplugNotices += plugged ? 0 : 1; });
    VirtualKeyboardFaults faults;
    faults.commandsBeforeUnplug = 2;  // phase 1 and layer 0 go through
    keyboard.setFaults(faults);
    for (int n = 0; n < kCustomLayerCount; ++n)
        images.working.customLayer(n)[3] = 0xFF;
    const KeyboardImages before = images;
    auto outcome = link.writeAll(images);
    EXPECT_EQ(outcome.result.failure, LinkFailure::Disconnected);
    EXPECT_EQ(outcome.result.step, "WriteCustomLayer 1");
    EXPECT_EQ(unplugNotices, 1);
    EXPECT_EQ(images.synced, before.synced);
    EXPECT_EQ(images.working, before.working);
    // The link closes cleanly, and the listener has stopped.
    link.handleRemoval();
    EXPECT_FALSE(link.listenerRunning());
    EXPECT_FALSE(link.configOpen());
}

TEST_F(WriteAll, WinLockOnChangesOnlyTheMask) {
    ASSERT_TRUE(images.synced.enableBit(kWinKeyEnableBit));
    images.working.winLock = 1;
    auto outcome = link.writeAll(images);
    ASSERT_TRUE(outcome.result.ok());
    std::vector<std::string> expected = {featureOut(setLightingReport(images.working, LightingPhase::Open)),
                                         sleepLine(10), sleepLine(10), featureOut(writeKeyEnableMaskReport()),
                                         sleepLine(10)};
    expected.push_back(blockLines(images.working.keyEnableMask, 1)[0]);
    expected.push_back(featureOut(setLightingReport(images.working, LightingPhase::Close)));
    expected.push_back(sleepLine(10));
    EXPECT_EQ(traceLines(), expected);
    EXPECT_FALSE(images.working.enableBit(kWinKeyEnableBit));
    EXPECT_EQ(keyboard.memory().keyEnableMask[0] & 2, 0);
}

TEST_F(WriteAll, SectionsGoInTheKeyboardsOrderWithTheirPacing) {
    images.working.gameMode = 1;
    images.working.reportRate = 1;
    images.working.responseTime = 5;
    images.working.keyMatrix[511] = 9;
    images.working.macroSlot(31)[5] = 1;
    images.working.macroSlot(2)[5] = 1;
    images.working.customLayer(4)[0] = 1;
    images.working.customLayer(1)[0] = 1;
    auto outcome = link.writeAll(images);
    ASSERT_TRUE(outcome.result.ok()) << outcome.result.message();
    const auto lines = traceLines();
    std::vector<std::string> commands;
    for (const auto &line : lines)
        if (line.rfind("> feature", 0) == 0)
            commands.push_back(line.substr(13, 8));
    EXPECT_EQ(commands, (std::vector<std::string>{"08 01 03", "09 01 00", "01 01 00", "04 05 00", "0D 00 00",
                                                  "11 00 02", "11 00 1F", "12 00 01", "12 00 04", "08 02 03"}));
    // The key matrix: 50 ms after the command, 8 blocks back to back, 60 ms after the last.
    auto it = std::find(lines.begin(), lines.end(), featureOut(writeKeyMatrixReport()));
    ASSERT_NE(it, lines.end());
    EXPECT_EQ(*(it + 1), sleepLine(50));
    for (int i = 2; i < 10; ++i)
        EXPECT_EQ((it + i)->substr(0, 8), "> output");
    EXPECT_EQ(*(it + 10), sleepLine(60));
    // A custom layer: 5 ms after the command and after every block.
    it = std::find(lines.begin(), lines.end(), featureOut(writeCustomLayerReport(4)));
    ASSERT_NE(it, lines.end());
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(*(it + 1 + 2 * i), sleepLine(5));
        EXPECT_EQ((it + 2 + 2 * i)->substr(0, 8), "> output");
    }
    EXPECT_EQ(*(it + 17), sleepLine(5));
    EXPECT_EQ(keyboard.memory().gameMode, 1);
    EXPECT_EQ(keyboard.memory().responseTime, 5);
}

TEST_F(WriteAll, KeyMatrixBlocksCarryAll512BytesInOrder) {
    for (int i = 0; i < 512; ++i)
        images.working.keyMatrix[i] = static_cast<uint8_t>(i * 7 + 1);
    ASSERT_TRUE(link.writeAll(images).result.ok());
    std::vector<std::vector<uint8_t>> outputs;
    for (const auto &report : keyboard.received())
        if (report.kind == ReceivedReport::Kind::Output)
            outputs.push_back(report.bytes);
    ASSERT_EQ(outputs.size(), 8u);
    for (int b = 0; b < 8; ++b) {
        ASSERT_EQ(outputs[b].size(), 65u);
        EXPECT_EQ(outputs[b][0], 0);
        EXPECT_TRUE(std::equal(outputs[b].begin() + 1, outputs[b].end(), images.working.keyMatrix.begin() + 64 * b));
    }
    EXPECT_EQ(keyboard.memory().keyMatrix, images.working.keyMatrix);
}

TEST_F(WriteAll, EnableMaskBlockIsTheMaskThenZeros) {
    images.working.keyEnableMask.fill(0xA5);
    images.working.winLock = 0;
    ASSERT_TRUE(link.writeAll(images).result.ok());
    std::vector<uint8_t> output;
    for (const auto &report : keyboard.received())
        if (report.kind == ReceivedReport::Kind::Output)
            output = report.bytes;
    ASSERT_EQ(output.size(), 65u);
    EXPECT_EQ(output[1], 0xA7);  // bit 1 set: the Windows key is free
    for (int i = 2; i <= 18; ++i)
        EXPECT_EQ(output[i], 0xA5);
    for (int i = 19; i <= 64; ++i)
        EXPECT_EQ(output[i], 0);
}

} // namespace
