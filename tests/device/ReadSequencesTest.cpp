// The read sequences: what they send, where the blocks land in the image, and what happens when
// the keyboard answers short or wrongly.

#include "LinkFixture.h"

#include "device/BlockTransfers.h"
#include "model/KeyTable.h"

#include <algorithm>

using namespace quenlar;
using namespace quenlar::test;

namespace {

class ReadSequences : public LinkFixture {
protected:
    void SetUp() override { openLink(); }

    static VirtualKeyboardMemory patternedMemory() {
        VirtualKeyboardMemory m = factoryMemory();
        for (std::size_t i = 0; i < m.macroSlots.size(); ++i)
            m.macroSlots[i] = static_cast<uint8_t>(i % 251);
        for (std::size_t i = 0; i < m.customLayers.size(); ++i)
            m.customLayers[i] = static_cast<uint8_t>(i % 241 + 1);
        for (std::size_t i = 0; i < m.keyMatrix.size(); ++i)
            m.keyMatrix[i] = static_cast<uint8_t>(i % 239);
        m.lightWireSpeed = 10 - 7;
        m.reportRate = 2;
        return m;
    }
};

TEST_F(ReadSequences, ReadAllFillsEveryKeyboardSectionAndKeepsTheRest) {
    const VirtualKeyboardMemory m = patternedMemory();
    keyboard.setMemory(m);
    KeyboardState start;
    start.headerReserved[3] = 0x33;
    start.reservedArea[700] = 0x44;
    start.spareByte = 0x55;
    auto outcome = link.readAll(start);
    ASSERT_TRUE(outcome.result.ok()) << outcome.result.message();
    const KeyboardState &s = outcome.state;
    EXPECT_EQ(s.headerReserved[3], 0x33);
    EXPECT_EQ(s.reservedArea[700], 0x44);
    EXPECT_EQ(s.spareByte, 0x55);
    EXPECT_EQ(s.keyMatrix, m.keyMatrix);
    EXPECT_EQ(s.macroSlots, m.macroSlots);
    EXPECT_EQ(s.customLayers, m.customLayers);
    EXPECT_EQ(s.presetColours, m.presetColours);
    EXPECT_EQ(s.keyEnableMask, m.keyEnableMask);
    EXPECT_EQ(s.lightSpeed, 7);
    EXPECT_EQ(s.reportRate, 2);
    EXPECT_EQ(s.lightEffect, m.lightEffect);
    EXPECT_EQ(s.winLock, 0);
    EXPECT_EQ(outcome.device.versionCopy, (VersionCopy{1, 4, 0, 0}));
    EXPECT_EQ(outcome.device.version[0], 0x80);
    // Macro slot 31 at bytes 5952..6143, custom layer 4 at 2048..2559.
    EXPECT_EQ(s.macroSlots[5952], m.macroSlots[5952]);
    EXPECT_EQ(s.customLayer(4)[0], m.customLayers[2048]);
}

TEST_F(ReadSequences, ReadAllCommandsInOrder) {
    link.readAll(KeyboardState{});
    std::vector<std::string> commands;
    for (const auto &line : traceLines())
        if (line.rfind("> feature", 0) == 0)
            commands.push_back(line.substr(13, 2));
    std::vector<std::string> expected = {"09", "80", "88"};
    expected.insert(expected.end(), 7, "94");
    for (const char *c : {"89", "81", "84", "8D", "8E"})
        expected.push_back(c);
    expected.insert(expected.end(), 32, "91");
    expected.insert(expected.end(), 5, "92");
    expected.push_back("81");
    EXPECT_EQ(commands, expected);
}

TEST_F(ReadSequences, ReplugReadSkipsTheVersionAndYields) {
    KeyboardState state;
    ASSERT_TRUE(link.readAllSections(state).ok());
    const auto lines = traceLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], featureOut(setGameModeReport(1)));
    EXPECT_EQ(lines[1], sleepLine(20));
    EXPECT_EQ(lines[2], sleepLine(10));
    EXPECT_EQ(lines[3], featureOut(makeCommandReport(Command::GetLighting)));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), sleepLine(0)), 0);
    EXPECT_EQ(state.keyMatrix, keyboard.memory().keyMatrix);
}

TEST_F(ReadSequences, CustomLayerReadPacing) {
    ASSERT_TRUE(link.readAll(KeyboardState{}).result.ok());
    const auto lines = traceLines();
    auto it = std::find(lines.begin(), lines.end(), featureOut(readCustomLayerReport(2)));
    ASSERT_NE(it, lines.end());
    EXPECT_EQ(*(it + 1), sleepLine(5));
    EXPECT_EQ((it + 2)->substr(0, 9), "< feature");
    EXPECT_EQ(*(it + 3), sleepLine(5));
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ((it + 4 + 2 * i)->substr(0, 7), "< input");
        EXPECT_EQ(*(it + 5 + 2 * i), sleepLine(5));
    }
}

// A configuration interface that answers every read with one given data report.
class OneBlockHandle final : public HidHandle {
public:
    explicit OneBlockHandle(DataReport block) : block_(block) {}
    int sendFeatureReport(std::span<const uint8_t> r) override { return static_cast<int>(r.size()); }
    int getFeatureReport(std::span<uint8_t> buffer) override { return static_cast<int>(buffer.size()); }
    int write(std::span<const uint8_t> r) override { return static_cast<int>(r.size()); }
    int read(std::span<uint8_t> buffer, int) override {
        std::copy(block_.begin(), block_.end(), buffer.begin());
        return 65;
    }

private:
    DataReport block_;
};

TEST(EnableMaskRead, WinLockComesFromBitZeroOfReportByteTwo) {
    struct Row {
        uint8_t byte1;  // mask byte 0: holds bit 1, the Windows key
        uint8_t byte2;  // mask byte 1: bit 0 is bit 8
        uint8_t expectedWinLock;
    };
    for (auto row : {Row{0x00, 0x01, 0}, Row{0x02, 0xFF, 0}, Row{0xFF, 0x00, 1}, Row{0x02, 0xFE, 1}}) {
        DataReport block{};
        block[1] = row.byte1;
        block[2] = row.byte2;
        block[18] = 0x7E;
        block[19] = 0x55;  // beyond the mask: ignored
        OneBlockHandle handle(block);
        CountingSleeper sleeper;
        ReportTrace trace;
        ConfigInterface config(handle, sleeper, trace, {});
        KeyboardState state;
        state.winLock = 7;
        ASSERT_TRUE(readKeyEnableMask(config, state).ok());
        EXPECT_EQ(state.winLock, row.expectedWinLock) << int(row.byte1) << " " << int(row.byte2);
        EXPECT_EQ(state.keyEnableMask[0], row.byte1);
        EXPECT_EQ(state.keyEnableMask[17], 0x7E);
    }
}

TEST_F(ReadSequences, ABlockReadCutShortEndsTheReadAndKeepsTheImage) {
    VirtualKeyboardFaults faults;
    faults.blocksBeforeCut = 2;
    keyboard.setFaults(faults);
    KeyboardState state;
    state.lightBrightness = 33;
    state.keyMatrix[0] = 0x99;
    const KeyboardState before = state;
    auto result = link.readAllSections(state);
    EXPECT_EQ(result.failure, LinkFailure::NoBlockData);
    EXPECT_EQ(result.step, "ReadKeyMatrix");
    EXPECT_NE(result.message().find("sent no data for ReadKeyMatrix"), std::string::npos);
    EXPECT_EQ(state, before);
}

TEST_F(ReadSequences, ADamagedAnswerEndsTheReadAndKeepsTheImage) {
    VirtualKeyboardFaults faults;
    faults.wrongAnswers = true;
    faults.wrongAnswerAt = 1;  // GetLighting, after GetVersion
    keyboard.setFaults(faults);
    auto outcome = link.readAll(KeyboardState{});
    EXPECT_EQ(outcome.result.failure, LinkFailure::BadAnswer);
    EXPECT_EQ(outcome.result.step, "GetLighting");
    EXPECT_NE(outcome.result.message().find("answered GetLighting with damaged data"), std::string::npos);

    KeyboardState state;
    state.lightBrightness = 21;
    faults.wrongAnswerAt = 8;  // the game-mode answer of the replug read
    keyboard.setFaults(faults);
    const KeyboardState before = state;
    auto result = link.readAllSections(state);
    EXPECT_EQ(result.failure, LinkFailure::BadAnswer);
    EXPECT_EQ(result.step, "GetGameMode");
    EXPECT_EQ(state, before);
}

TEST_F(ReadSequences, WithoutAKeyboardNothingIsRead) {
    link.closeLink();
    KeyboardState state;
    state.lightEffect = 5;
    EXPECT_EQ(link.readAllSections(state).failure, LinkFailure::NoKeyboard);
    EXPECT_EQ(link.readAll(state).result.failure, LinkFailure::NoKeyboard);
    EXPECT_EQ(state.lightEffect, 5);
}

TEST_F(ReadSequences, BadChecksumsAreIgnoredByTheKeyboard) {
    CommandReport bad = setReportRateReport(KeyboardState{});
    bad[8] ^= 1;
    VirtualKeyboard &kb = keyboard;
    auto handle = kb.open(VirtualKeyboard::kConfigPath);
    ASSERT_TRUE(handle);
    const uint8_t before = kb.memory().reportRate;
    handle->sendFeatureReport(bad);
    EXPECT_EQ(kb.badChecksumCount(), 1);
    EXPECT_EQ(kb.memory().reportRate, before);
}

TEST_F(ReadSequences, FactoryResetThenReadBack) {
    VirtualKeyboardMemory m = patternedMemory();
    keyboard.setMemory(m);
    KeyboardState state;
    ASSERT_TRUE(link.factoryReset(state).ok());
    const auto lines = traceLines();
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 8),
              (std::vector<std::string>{featureOut(factoryResetReport()), sleepLine(300),
                                        featureOut(setGameModeReport(1)), sleepLine(20), sleepLine(300),
                                        featureOut(setGameModeReport(1)), sleepLine(20), sleepLine(300)}));
    EXPECT_EQ(state.keyMatrix, defaultKeyMatrix());
    EXPECT_EQ(state.macroSlots, KeyboardState{}.macroSlots);
    EXPECT_EQ(keyboard.memory(), factoryMemory());
}

} // namespace
