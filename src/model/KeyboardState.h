#pragma once
// The keyboard's whole configuration as one fixed 10056-byte image.
//
// The same bytes travel to and from the keyboard section by section, and are stored
// byte for byte at the head of keymap.bin and of every profile file, so this struct is
// at once the memory layout and a file format. Every field is an unsigned byte or a byte
// array, packed without gaps; offsets are checked below.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quenlar {

// One key position's action: kind, then three parameters.
//   kind 0: key or combination, p1..p3 HID keyboard usages (a plain key uses p2 alone)
//   kind 2: the Fn key
//   kind 3: consumer control, p2/p3 a 16-bit usage, low byte first
//   kind 4: macro, p1 = 1, p2 = macro slot 0..31
//   kind 10: the key is reported to the computer, p2 = its virtual-key code
struct KeyAction {
    uint8_t kind = 0;
    uint8_t p1 = 0;
    uint8_t p2 = 0;
    uint8_t p3 = 0;
    friend bool operator==(const KeyAction &, const KeyAction &) = default;
};
static_assert(sizeof(KeyAction) == 4);

inline constexpr int kMatrixRows = 6;
inline constexpr int kMatrixColumns = 21;
inline constexpr int kMatrixSlots = kMatrixRows * kMatrixColumns; // 126
inline constexpr int kMacroSlotCount = 32;
inline constexpr int kMacroSlotSize = 192;
inline constexpr int kCustomLayerCount = 5;
inline constexpr int kCustomLayerSize = 512;
inline constexpr int kPresetColourCount = 7;
inline constexpr int kEnableMaskSize = 18;
inline constexpr int kWinKeyEnableBit = 1;  // the left Windows key's bit in keyEnableMask
inline constexpr uint8_t kFirstCustomEffect = 51; // effects 51..55 show custom layers 0..4

struct KeyboardState {
    std::array<uint8_t, 11> headerReserved{};   // carried, never interpreted
    uint8_t reportRate = 0;                      // USB report-rate step 0..3
    std::array<uint8_t, 780> reservedArea{};     // carried, never interpreted
    std::array<uint8_t, 512> keyMatrix{};        // 126 KeyAction slots (row * 21 + column) + 8 spare bytes
    std::array<uint8_t, 6144> macroSlots{};      // 32 slots of 192 bytes
    uint8_t spareByte = 0;
    uint8_t responseTime = 0;                    // step 1..10, shown as 2 * step ms
    uint8_t lightEffect = 0;
    uint8_t lightSpeed = 0;                      // 0..9 as shown; the wire carries 10 - speed
    uint8_t lightBrightness = 0;                 // 0..50
    uint8_t lightColour = 0;                     // 1..8
    uint8_t lightDirection = 0;                  // 1 left, 2 right, 3 up, 4 down
    std::array<uint8_t, 21> presetColours{};     // seven triples
    uint8_t gameMode = 0;                        // 0 off, 1 on
    std::array<uint8_t, 18> keyEnableMask{};     // 144 bits, LSB first; set = key active
    uint8_t winLock = 0;                         // 1 = left Windows key locked (travels in keyEnableMask)
    std::array<uint8_t, 2560> customLayers{};    // five layers of 512 bytes, 4-byte cells

    // --- typed access -------------------------------------------------------------
    KeyAction keyAction(int slot) const;
    void setKeyAction(int slot, KeyAction action);
    static constexpr int matrixSlot(int row, int column) { return row * kMatrixColumns + column; }

    std::span<uint8_t, kMacroSlotSize> macroSlot(int n);
    std::span<const uint8_t, kMacroSlotSize> macroSlot(int n) const;
    std::span<uint8_t, kCustomLayerSize> customLayer(int n);
    std::span<const uint8_t, kCustomLayerSize> customLayer(int n) const;
    std::span<uint8_t, 3> presetColour(int n);
    std::span<const uint8_t, 3> presetColour(int n) const;

    bool enableBit(int bit) const;
    void setEnableBit(int bit, bool on);
    // Bit 1 of the mask follows winLock: clear when locked, set when free.
    void applyWinLockToMask();
    // After the mask was read from the keyboard: locked when bit 8 is clear.
    void takeWinLockFromMask();

    std::span<uint8_t, 10056> bytes();
    std::span<const uint8_t, 10056> bytes() const;

    friend bool operator==(const KeyboardState &, const KeyboardState &) = default;
};

static_assert(sizeof(KeyboardState) == 10056);
static_assert(offsetof(KeyboardState, headerReserved) == 0);
static_assert(offsetof(KeyboardState, reportRate) == 11);
static_assert(offsetof(KeyboardState, reservedArea) == 12);
static_assert(offsetof(KeyboardState, keyMatrix) == 792);
static_assert(offsetof(KeyboardState, macroSlots) == 1304);
static_assert(offsetof(KeyboardState, spareByte) == 7448);
static_assert(offsetof(KeyboardState, responseTime) == 7449);
static_assert(offsetof(KeyboardState, lightEffect) == 7450);
static_assert(offsetof(KeyboardState, lightSpeed) == 7451);
static_assert(offsetof(KeyboardState, lightBrightness) == 7452);
static_assert(offsetof(KeyboardState, lightColour) == 7453);
static_assert(offsetof(KeyboardState, lightDirection) == 7454);
static_assert(offsetof(KeyboardState, presetColours) == 7455);
static_assert(offsetof(KeyboardState, gameMode) == 7476);
static_assert(offsetof(KeyboardState, keyEnableMask) == 7477);
static_assert(offsetof(KeyboardState, winLock) == 7495);
static_assert(offsetof(KeyboardState, customLayers) == 7496);
static_assert(alignof(KeyboardState) == 1);

inline constexpr std::size_t kKeyboardStateSize = sizeof(KeyboardState);

// The firmware version as the version query returns it (answer bytes 1..8).
using DeviceVersion = std::array<uint8_t, 8>;
// (major, minor, 0, 0): what the firmware-update check compares.
using VersionCopy = std::array<uint8_t, 4>;

// The working image that panels edit, and the image last read from or written to the keyboard.
struct KeyboardImages {
    KeyboardState working;
    KeyboardState synced;   // SyncedState
    void commit() { synced = working; }
    void revert() { working = synced; }
};

} // namespace quenlar
