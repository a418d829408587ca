#include "device/CommandReport.h"

#include <cassert>

namespace quenlar {

const char *commandName(Command command) {
    switch (command) {
    case Command::GetVersion: return "GetVersion";
    case Command::SetReportRate: return "SetReportRate";
    case Command::GetReportRate: return "GetReportRate";
    case Command::SetResponseTime: return "SetResponseTime";
    case Command::GetResponseTime: return "GetResponseTime";
    case Command::SetLighting: return "SetLighting";
    case Command::GetLighting: return "GetLighting";
    case Command::SetGameMode: return "SetGameMode";
    case Command::GetGameMode: return "GetGameMode";
    case Command::FactoryReset: return "FactoryReset";
    case Command::SetPresetColour: return "SetPresetColour";
    case Command::GetPresetColour: return "GetPresetColour";
    case Command::WriteKeyMatrix: return "WriteKeyMatrix";
    case Command::ReadKeyMatrix: return "ReadKeyMatrix";
    case Command::WriteKeyEnableMask: return "WriteKeyEnableMask";
    case Command::ReadKeyEnableMask: return "ReadKeyEnableMask";
    case Command::WriteMacroSlot: return "WriteMacroSlot";
    case Command::ReadMacroSlot: return "ReadMacroSlot";
    case Command::WriteCustomLayer: return "WriteCustomLayer";
    case Command::ReadCustomLayer: return "ReadCustomLayer";
    }
    return "unknown command";
}

std::string stepName(Command command, int index) {
    std::string name = commandName(command);
    if (index >= 0)
        name += " " + std::to_string(index);
    return name;
}

uint8_t commandChecksum(const CommandReport &report) {
    unsigned sum = 0;
    for (std::size_t i = 1; i <= 7; ++i)
        sum += report[i];
    return static_cast<uint8_t>(0xFF - sum);
}

bool hasValidChecksum(const CommandReport &report) { return report[8] == commandChecksum(report); }

CommandReport makeCommandReport(Command command, std::array<uint8_t, 6> parameters) {
    CommandReport report{};
    report[1] = static_cast<uint8_t>(command);
    for (std::size_t i = 0; i < parameters.size(); ++i)
        report[2 + i] = parameters[i];
    report[8] = commandChecksum(report);
    return report;
}

CommandPauses commandPauses(Command command) {
    switch (command) {
    case Command::GetVersion: return {10, 10};
    case Command::SetReportRate: return {10, -1};
    case Command::GetReportRate: return {10, 10};
    case Command::SetResponseTime: return {10, -1};
    case Command::GetResponseTime: return {10, 10};
    case Command::SetLighting: return {10, -1};
    case Command::GetLighting: return {10, -1};
    case Command::SetGameMode: return {20, -1};
    case Command::GetGameMode: return {5, -1};
    case Command::FactoryReset: return {300, -1};
    case Command::SetPresetColour: return {20, -1};
    case Command::GetPresetColour: return {1, 1};
    case Command::WriteKeyMatrix: return {50, -1};
    case Command::ReadKeyMatrix: return {-1, -1};
    case Command::WriteKeyEnableMask: return {10, -1};
    case Command::ReadKeyEnableMask: return {-1, -1};
    case Command::WriteMacroSlot: return {1, -1};
    case Command::ReadMacroSlot: return {-1, -1};
    case Command::WriteCustomLayer: return {5, -1};
    case Command::ReadCustomLayer: return {5, 5};
    }
    return {-1, -1};
}

namespace {
uint8_t byteOf(int value) { return static_cast<uint8_t>(value); }
} // namespace

CommandReport setReportRateReport(const KeyboardState &state) {
    return makeCommandReport(Command::SetReportRate, {state.reportRate});
}

CommandReport setResponseTimeReport(const KeyboardState &state) {
    return makeCommandReport(Command::SetResponseTime, {state.responseTime});
}

CommandReport setLightingReport(const KeyboardState &state, LightingPhase phase) {
    const uint8_t brightness = phase == LightingPhase::Close ? state.lightBrightness : 0;
    return makeCommandReport(Command::SetLighting, {static_cast<uint8_t>(phase), state.lightEffect,
                                                    byteOf(10 - state.lightSpeed), brightness, state.lightColour,
                                                    state.lightDirection});
}

CommandReport setGameModeReport(uint8_t value) { return makeCommandReport(Command::SetGameMode, {value}); }

CommandReport factoryResetReport() { return makeCommandReport(Command::FactoryReset, {0xFF}); }

CommandReport setPresetColourReport(const KeyboardState &state, int index) {
    assert(index >= 0 && index < kPresetColourCount);
    const auto colour = state.presetColour(index);
    return makeCommandReport(Command::SetPresetColour, {0, byteOf(index), colour[0], colour[1], colour[2], 0});
}

CommandReport getPresetColourReport(int index) {
    assert(index >= 0 && index < kPresetColourCount);
    return makeCommandReport(Command::GetPresetColour, {0, byteOf(index)});
}

CommandReport writeKeyMatrixReport() { return makeCommandReport(Command::WriteKeyMatrix, {0, 0, 8}); }
CommandReport readKeyMatrixReport() { return makeCommandReport(Command::ReadKeyMatrix); }
CommandReport writeKeyEnableMaskReport() { return makeCommandReport(Command::WriteKeyEnableMask, {0, 0, 18}); }
CommandReport readKeyEnableMaskReport() { return makeCommandReport(Command::ReadKeyEnableMask, {0, 0, 18}); }

CommandReport writeMacroSlotReport(int slot) {
    assert(slot >= 0 && slot < kMacroSlotCount);
    return makeCommandReport(Command::WriteMacroSlot, {0, byteOf(slot), 3});
}

CommandReport readMacroSlotReport(int slot) {
    assert(slot >= 0 && slot < kMacroSlotCount);
    return makeCommandReport(Command::ReadMacroSlot, {0, byteOf(slot), 0});
}

CommandReport writeCustomLayerReport(int layer) {
    assert(layer >= 0 && layer < kCustomLayerCount);
    return makeCommandReport(Command::WriteCustomLayer, {0, byteOf(layer), 8});
}

CommandReport readCustomLayerReport(int layer) {
    assert(layer >= 0 && layer < kCustomLayerCount);
    return makeCommandReport(Command::ReadCustomLayer, {0, byteOf(layer), 8});
}

void applyVersionAnswer(const CommandReport &answer, DeviceVersion &version, VersionCopy &copy) {
    for (std::size_t i = 0; i < version.size(); ++i)
        version[i] = answer[1 + i];
    copy = {answer[2], answer[3], 0, 0};
}

void applyReportRateAnswer(const CommandReport &answer, KeyboardState &state) { state.reportRate = answer[2]; }

void applyResponseTimeAnswer(const CommandReport &answer, KeyboardState &state) { state.responseTime = answer[2]; }

void applyLightingAnswer(const CommandReport &answer, KeyboardState &state) {
    state.lightEffect = answer[3];
    state.lightSpeed = byteOf(10 - answer[4]);
    state.lightBrightness = answer[5];
    state.lightColour = answer[6];
    state.lightDirection = answer[7];
}

void applyGameModeAnswer(const CommandReport &answer, KeyboardState &state) { state.gameMode = answer[2]; }

void applyPresetColourAnswer(const CommandReport &answer, KeyboardState &state, int index) {
    auto colour = state.presetColour(index);
    colour[0] = answer[4];
    colour[1] = answer[5];
    colour[2] = answer[6];
}

} // namespace quenlar
