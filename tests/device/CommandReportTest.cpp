#include "device/CommandReport.h"

#include <gtest/gtest.h>

using namespace quenlar;

namespace {
CommandReport bytes(std::initializer_list<int> list) {
    CommandReport r{};
    std::size_t i = 0;
    for (int b : list)
        r[i++] = static_cast<uint8_t>(b);
    return r;
}
} // namespace

TEST(CommandReport, KnownFramesByteForByte) {
    KeyboardState state;
    state.reportRate = 3;
    state.presetColour(2)[0] = 10;
    state.presetColour(2)[1] = 20;
    state.presetColour(2)[2] = 30;
    state.lightEffect = 3;
    state.lightSpeed = 4;
    state.lightBrightness = 50;
    state.lightColour = 8;
    state.lightDirection = 1;
    struct Row {
        const char *name;
        CommandReport built;
        CommandReport expected;
    };
    const Row rows[] = {
        {"GetVersion", makeCommandReport(Command::GetVersion), bytes({0, 0x80, 0, 0, 0, 0, 0, 0, 0x7F})},
        {"SetReportRate 3", setReportRateReport(state), bytes({0, 0x01, 0x03, 0, 0, 0, 0, 0, 0xFB})},
        {"FactoryReset", factoryResetReport(), bytes({0, 0x13, 0xFF, 0, 0, 0, 0, 0, 0xED})},
        {"SetPresetColour 2", setPresetColourReport(state, 2), bytes({0, 0x14, 0, 0x02, 0x0A, 0x14, 0x1E, 0, 0xAD})},
        {"SetLighting 2", setLightingReport(state, LightingPhase::Close),
         bytes({0, 0x08, 0x02, 0x03, 0x06, 0x32, 0x08, 0x01, 0xB1})},
        {"SetLighting 1", setLightingReport(state, LightingPhase::Open),
         bytes({0, 0x08, 0x01, 0x03, 0x06, 0x00, 0x08, 0x01, 0xE4})},
        {"ReadMacroSlot 5", readMacroSlotReport(5), bytes({0, 0x91, 0, 0x05, 0, 0, 0, 0, 0x69})},
        {"WriteCustomLayer 4", writeCustomLayerReport(4), bytes({0, 0x12, 0, 0x04, 0x08, 0, 0, 0, 0xE1})},
        {"ReadKeyMatrix", readKeyMatrixReport(), bytes({0, 0x8D, 0, 0, 0, 0, 0, 0, 0x72})},
        {"WriteKeyMatrix", writeKeyMatrixReport(), bytes({0, 0x0D, 0, 0, 0x08, 0, 0, 0, 0xEA})},
        {"ReadCustomLayer 0", readCustomLayerReport(0), bytes({0, 0x92, 0, 0, 0x08, 0, 0, 0, 0x65})},
        {"ReadKeyEnableMask", readKeyEnableMaskReport(), bytes({0, 0x8E, 0, 0, 0x12, 0, 0, 0, 0x5F})},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.built, row.expected) << row.name;
}

TEST(CommandReport, EveryFrameSumsToFF) {
    KeyboardState state;
    for (std::size_t i = 0; i < state.bytes().size(); ++i)
        state.bytes()[i] = static_cast<uint8_t>(i * 37 + 11);
    std::vector<CommandReport> frames = {
        setReportRateReport(state), setResponseTimeReport(state), setLightingReport(state, LightingPhase::Open),
        setLightingReport(state, LightingPhase::Close), setGameModeReport(1), factoryResetReport(),
        writeKeyMatrixReport(), readKeyMatrixReport(), writeKeyEnableMaskReport(), readKeyEnableMaskReport()};
    for (int n = 0; n < kPresetColourCount; ++n) {
        frames.push_back(setPresetColourReport(state, n));
        frames.push_back(getPresetColourReport(n));
    }
    for (int n = 0; n < kMacroSlotCount; ++n) {
        frames.push_back(writeMacroSlotReport(n));
        frames.push_back(readMacroSlotReport(n));
    }
    for (int n = 0; n < kCustomLayerCount; ++n) {
        frames.push_back(writeCustomLayerReport(n));
        frames.push_back(readCustomLayerReport(n));
    }
    for (const auto &frame : frames) {
        unsigned sum = 0;
        for (int i = 1; i <= 8; ++i)
            sum += frame[i];
        EXPECT_EQ(sum % 256, 0xFFu) << "command " << int(frame[1]);
        EXPECT_EQ(frame[0], 0);
    }
}

TEST(CommandReport, LightingCarriesSpeedAsTenMinusSpeed) {
    KeyboardState state;
    struct Row {
        int wire;
        int speed;
    };
    for (auto row : {Row{0, 10}, Row{10, 0}, Row{1, 9}, Row{5, 5}}) {
        CommandReport answer{};
        answer[4] = static_cast<uint8_t>(row.wire);
        applyLightingAnswer(answer, state);
        EXPECT_EQ(state.lightSpeed, row.speed) << "wire " << row.wire;
    }
    state.lightSpeed = 9;
    EXPECT_EQ(setLightingReport(state, LightingPhase::Close)[4], 1);
}

TEST(CommandReport, PhaseOneHidesBrightnessPhaseTwoSendsIt) {
    KeyboardState state;
    state.lightBrightness = 37;
    EXPECT_EQ(setLightingReport(state, LightingPhase::Open)[5], 0);
    EXPECT_EQ(setLightingReport(state, LightingPhase::Close)[5], 37);
}

TEST(CommandReport, BlockAnnouncementsCarryTheirCounts) {
    EXPECT_EQ(readKeyMatrixReport()[4], 0);
    EXPECT_EQ(writeKeyMatrixReport()[4], 8);
    EXPECT_EQ(readMacroSlotReport(3)[4], 0);
    EXPECT_EQ(writeMacroSlotReport(3)[4], 3);
    EXPECT_EQ(readCustomLayerReport(3)[4], 8);
    EXPECT_EQ(writeKeyEnableMaskReport()[4], 18);
    EXPECT_EQ(readKeyEnableMaskReport()[4], 18);
}

TEST(CommandReport, AnswersDecodeIntoTheImage) {
    KeyboardState state;
    DeviceVersion version{};
    VersionCopy copy{};
    applyVersionAnswer(bytes({0, 0x80, 1, 4, 9, 0, 0, 0, 0x71}), version, copy);
    EXPECT_EQ(version, (DeviceVersion{0x80, 1, 4, 9, 0, 0, 0, 0x71}));
    EXPECT_EQ(copy, (VersionCopy{1, 4, 0, 0}));
    applyPresetColourAnswer(bytes({0, 0x94, 0, 6, 7, 8, 9, 0, 0}), state, 6);
    EXPECT_EQ(state.presetColours[18], 7);
    EXPECT_EQ(state.presetColours[20], 9);
    applyGameModeAnswer(bytes({0, 0x89, 1}), state);
    applyReportRateAnswer(bytes({0, 0x81, 2}), state);
    applyResponseTimeAnswer(bytes({0, 0x84, 6}), state);
    EXPECT_EQ(state.gameMode, 1);
    EXPECT_EQ(state.reportRate, 2);
    EXPECT_EQ(state.responseTime, 6);
}
