#pragma once
// What the virtual keyboard keeps in its own memory: the sections the program reads and writes,
// as the keyboard holds them (the lighting speed as its wire value, 10 - speed).

#include "model/KeyboardState.h"

#include <array>
#include <cstdint>

namespace quenlar {

struct VirtualKeyboardMemory {
    uint8_t reportRate = 0;
    uint8_t responseTime = 0;
    uint8_t lightEffect = 0;
    uint8_t lightWireSpeed = 0;
    uint8_t lightBrightness = 0;
    uint8_t lightColour = 0;
    uint8_t lightDirection = 0;
    uint8_t gameMode = 0;
    std::array<uint8_t, 6> version{};  // bytes 2 to 7 of the version answer: major, minor, 0...
    std::array<uint8_t, 21> presetColours{};
    std::array<uint8_t, kEnableMaskSize> keyEnableMask{};
    std::array<uint8_t, 512> keyMatrix{};
    std::array<uint8_t, kMacroSlotCount * kMacroSlotSize> macroSlots{};
    std::array<uint8_t, kCustomLayerCount * kCustomLayerSize> customLayers{};

    friend bool operator==(const VirtualKeyboardMemory &, const VirtualKeyboardMemory &) = default;
};
static_assert(alignof(VirtualKeyboardMemory) == 1);
static_assert(sizeof(VirtualKeyboardMemory) == 8 + 6 + 21 + 18 + 512 + 6144 + 2560);

// The factory configuration of the virtual keyboard:
//   report rate step 3, response time step 1 (2 ms), Wave (effect 3) at speed 5, brightness 50,
//   colour 8, direction right; preset colours red, green, blue, yellow, cyan, magenta, white;
//   game mode off; every key enabled; the factory key matrix; empty macro slots and dark
//   custom layers; firmware version 1.4.
VirtualKeyboardMemory factoryMemory();

} // namespace quenlar
