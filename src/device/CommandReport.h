#pragma once
// The 9-byte feature report that carries one keyboard command, and the same shape for the
// keyboard's answer to a query.
//
//   byte 0     report id, always 0
//   byte 1     command code (0x80 and up are queries)
//   bytes 2-7  parameters, unused ones 0
//   byte 8     checksum: 0xFF - (byte 1 + ... + byte 7), modulo 256
//
// Equivalently, bytes 1 to 8 add up to 0xFF modulo 256. Block-announcing commands follow the
// same rule.

#include "model/KeyboardState.h"

#include <array>
#include <cstdint>
#include <string>

namespace quenlar {

inline constexpr std::size_t kCommandReportSize = 9;
using CommandReport = std::array<uint8_t, kCommandReportSize>;

enum class Command : uint8_t {
    GetVersion = 0x80,
    SetReportRate = 0x01,
    GetReportRate = 0x81,
    SetResponseTime = 0x04,
    GetResponseTime = 0x84,
    SetLighting = 0x08,
    GetLighting = 0x88,
    SetGameMode = 0x09,
    GetGameMode = 0x89,
    FactoryReset = 0x13,
    SetPresetColour = 0x14,
    GetPresetColour = 0x94,
    WriteKeyMatrix = 0x0D,
    ReadKeyMatrix = 0x8D,
    WriteKeyEnableMask = 0x0E,
    ReadKeyEnableMask = 0x8E,
    WriteMacroSlot = 0x11,
    ReadMacroSlot = 0x91,
    WriteCustomLayer = 0x12,
    ReadCustomLayer = 0x92,
};

const char *commandName(Command command);
// "WriteMacroSlot 7", "GetLighting": how a step is named in messages.
std::string stepName(Command command, int index = -1);

// Parameters are bytes 2 to 7.
CommandReport makeCommandReport(Command command, std::array<uint8_t, 6> parameters = {});
uint8_t commandChecksum(const CommandReport &report);
bool hasValidChecksum(const CommandReport &report);

// Fixed pauses in milliseconds after sending a command (the "set") and after reading its
// answer (the "get"); -1 = no pause at all. They belong to the protocol and are kept exactly.
struct CommandPauses {
    int afterSend;
    int afterAnswer;
};
CommandPauses commandPauses(Command command);

// --- Frames built from the keyboard image ------------------------------------------------------

enum class LightingPhase : uint8_t { Open = 1, Close = 2 };

CommandReport setReportRateReport(const KeyboardState &state);
CommandReport setResponseTimeReport(const KeyboardState &state);
// Phase 1 carries brightness 0; phase 2 the full lighting record. Speed travels as 10 - speed.
CommandReport setLightingReport(const KeyboardState &state, LightingPhase phase);
CommandReport setGameModeReport(uint8_t value);
CommandReport factoryResetReport();
CommandReport setPresetColourReport(const KeyboardState &state, int index);
CommandReport getPresetColourReport(int index);
CommandReport writeKeyMatrixReport();
CommandReport readKeyMatrixReport();
CommandReport writeKeyEnableMaskReport();
CommandReport readKeyEnableMaskReport();
CommandReport writeMacroSlotReport(int slot);
CommandReport readMacroSlotReport(int slot);
CommandReport writeCustomLayerReport(int layer);
CommandReport readCustomLayerReport(int layer);

// --- Answers decoded into the keyboard image ---------------------------------------------------

void applyVersionAnswer(const CommandReport &answer, DeviceVersion &version, VersionCopy &copy);
void applyReportRateAnswer(const CommandReport &answer, KeyboardState &state);
void applyResponseTimeAnswer(const CommandReport &answer, KeyboardState &state);
void applyLightingAnswer(const CommandReport &answer, KeyboardState &state);
void applyGameModeAnswer(const CommandReport &answer, KeyboardState &state);
void applyPresetColourAnswer(const CommandReport &answer, KeyboardState &state, int index);

} // namespace quenlar
