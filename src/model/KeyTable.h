#pragma once
// The keyboard's 113 keys: where each is drawn on the keyboard picture, and where it lives
// in the keyboard's own structures (key matrix, custom colour layers, enable mask).
// Every other part of the program names a key by its index 0..112 in this table.

#include "model/KeyboardState.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace quenlar {

inline constexpr int kKeyCount = 113;

struct KeyRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    constexpr bool empty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // Edges are inside the rectangle.
    constexpr bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

struct KeyPoint {
    int32_t x = 0, y = 0;
};

struct KeyTableEntry {
    std::string_view label;   // text drawn on the key in the picture
    KeyRect rect;             // picture coordinates; all zero = not on the picture
    KeyPoint labelAt;         // where the label is drawn
    uint8_t virtualKey;       // the Windows virtual-key code the key produces by default
    uint16_t matrixCode;      // (column * 6 + row) * 4
    uint16_t ledOffset;       // byte offset of the key's cell inside a custom layer
    uint16_t enableBit;       // bit number in keyEnableMask
    KeyAction defaultAction;  // the factory action of the key's matrix position

    constexpr int matrixRow() const { return (matrixCode / 4) % 6; }
    constexpr int matrixColumn() const { return (matrixCode / 4) / 6; }
    // The key's slot in the keyboard's row-major keyMatrix.
    constexpr int matrixSlot() const { return KeyboardState::matrixSlot(matrixRow(), matrixColumn()); }
    constexpr bool onPicture() const { return !rect.empty(); }
    // The usage the key-changed test compares with.
    constexpr uint8_t defaultUsage() const { return defaultAction.p2; }
};

const std::array<KeyTableEntry, kKeyCount> &keyTable();
const KeyTableEntry &keyAt(int index);

// The factory action of every matrix position, indexed by matrixCode / 4 (column-major).
const std::array<KeyAction, kMatrixSlots> &defaultMatrixByCode();
// The factory keyMatrix section as the keyboard holds it (row-major slots, spare bytes zero).
std::array<uint8_t, 512> defaultKeyMatrix();

} // namespace quenlar
