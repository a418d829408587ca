#include "model/KeyboardState.h"

#include <cassert>
#include <cstring>

namespace quenlar {

KeyAction KeyboardState::keyAction(int slot) const {
    assert(slot >= 0 && slot < kMatrixSlots);
    const uint8_t *p = keyMatrix.data() + 4 * slot;
    return {p[0], p[1], p[2], p[3]};
}

void KeyboardState::setKeyAction(int slot, KeyAction action) {
    assert(slot >= 0 && slot < kMatrixSlots);
    uint8_t *p = keyMatrix.data() + 4 * slot;
    p[0] = action.kind;
    p[1] = action.p1;
    p[2] = action.p2;
    p[3] = action.p3;
}

std::span<uint8_t, kMacroSlotSize> KeyboardState::macroSlot(int n) {
    assert(n >= 0 && n < kMacroSlotCount);
    return std::span<uint8_t, kMacroSlotSize>(macroSlots.data() + kMacroSlotSize * n, kMacroSlotSize);
}

std::span<const uint8_t, kMacroSlotSize> KeyboardState::macroSlot(int n) const {
    assert(n >= 0 && n < kMacroSlotCount);
    return std::span<const uint8_t, kMacroSlotSize>(macroSlots.data() + kMacroSlotSize * n, kMacroSlotSize);
}

std::span<uint8_t, kCustomLayerSize> KeyboardState::customLayer(int n) {
    assert(n >= 0 && n < kCustomLayerCount);
    return std::span<uint8_t, kCustomLayerSize>(customLayers.data() + kCustomLayerSize * n, kCustomLayerSize);
}

std::span<const uint8_t, kCustomLayerSize> KeyboardState::customLayer(int n) const {
    assert(n >= 0 && n < kCustomLayerCount);
    return std::span<const uint8_t, kCustomLayerSize>(customLayers.data() + kCustomLayerSize * n,
                                                      kCustomLayerSize);
}

std::span<uint8_t, 3> KeyboardState::presetColour(int n) {
    assert(n >= 0 && n < kPresetColourCount);
    return std::span<uint8_t, 3>(presetColours.data() + 3 * n, 3);
}

std::span<const uint8_t, 3> KeyboardState::presetColour(int n) const {
    assert(n >= 0 && n < kPresetColourCount);
    return std::span<const uint8_t, 3>(presetColours.data() + 3 * n, 3);
}

bool KeyboardState::enableBit(int bit) const {
    assert(bit >= 0 && bit < 8 * kEnableMaskSize);
    return (keyEnableMask[bit / 8] >> (bit % 8)) & 1;
}

void KeyboardState::setEnableBit(int bit, bool on) {
    assert(bit >= 0 && bit < 8 * kEnableMaskSize);
    const auto mask = static_cast<uint8_t>(1u << (bit % 8));
    if (on)
        keyEnableMask[bit / 8] |= mask;
    else
        keyEnableMask[bit / 8] &= static_cast<uint8_t>(~mask);
}

void KeyboardState::applyWinLockToMask() { setEnableBit(kWinKeyEnableBit, winLock != 1); }

void KeyboardState::takeWinLockFromMask() { winLock = enableBit(8) ? 0 : 1; }

std::span<uint8_t, 10056> KeyboardState::bytes() {
    return std::span<uint8_t, 10056>(reinterpret_cast<uint8_t *>(this), 10056);
}

std::span<const uint8_t, 10056> KeyboardState::bytes() const {
    return std::span<const uint8_t, 10056>(reinterpret_cast<const uint8_t *>(this), 10056);
}

} // namespace quenlar
