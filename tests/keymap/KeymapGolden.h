#pragma once
// A keymap.bin (the same layout as a profile file) written byte by byte from the file layout,
// independent of the structs that read it, with the fields the tests look for.

#include "model/KeyTable.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quenlar::testing {

inline constexpr std::size_t kGoldenStateSize = 10056;
inline constexpr std::size_t kGoldenRecordSize = 772;
inline constexpr std::size_t kGoldenFileSize = kGoldenStateSize + 255 * kGoldenRecordSize;

inline std::size_t goldenRecordOffset(int record) { return kGoldenStateSize + kGoldenRecordSize * record; }

// "/home/ann/Music 音乐" followed by U+1F3B5 (a surrogate pair), as stored.
inline const std::u16string kGoldenFolder = u"/home/ann/Music \u97F3\u4E50\U0001F3B5";

inline void putUtf16(std::vector<uint8_t> &bytes, std::size_t at, const std::u16string &text) {
    for (char16_t unit : text) {
        bytes[at++] = static_cast<uint8_t>(unit & 0xFF);
        bytes[at++] = static_cast<uint8_t>(unit >> 8);
    }
}

inline std::vector<uint8_t> goldenKeymapFile() {
    std::vector<uint8_t> b(kGoldenFileSize, 0);
    // KeyboardState
    for (int i = 0; i < 11; ++i)
        b[i] = static_cast<uint8_t>(0xA0 + i);   // carried header bytes
    b[11] = 2;                                   // reportRate
    b[12] = 0x5A;                                // first and last reserved bytes
    b[791] = 0xA5;
    const std::size_t escSlot = 792 + 4 * 105;   // Esc: row 5, column 0
    b[escSlot + 2] = 0x3A;                       // Esc sends F1
    b[1304] = 0x00;                              // macro slot 0: loop count 1, then events
    b[1305] = 0x01;
    b[1306] = 0x84;
    b[7448] = 0x77;                              // spare byte
    b[7449] = 3;                                 // responseTime
    b[7450] = 51;                                // lightEffect: custom layer 0
    b[7451] = 4;                                 // lightSpeed
    b[7452] = 50;                                // lightBrightness
    b[7453] = 8;                                 // lightColour
    b[7454] = 2;                                 // lightDirection
    for (int i = 0; i < 21; ++i)
        b[7455 + i] = static_cast<uint8_t>(i * 12);  // presetColours
    b[7476] = 1;                                 // gameMode
    for (int i = 0; i < 18; ++i)
        b[7477 + i] = 0xFF;                      // keyEnableMask
    b[7477 + 15] = 0x7F;                         // bit 127 clear
    b[7495] = 1;                                 // winLock
    b[7496 + 44 + 1] = 0xFF;                     // layer 0, cell at 44 lit
    b[10055] = 0x99;                             // last byte of custom layer 4

    // HostKeyRecords
    for (int i = 0; i < kKeyCount; ++i)
        b[goldenRecordOffset(i)] = keyAt(i).virtualKey;
    const std::size_t esc = goldenRecordOffset(0);   // Single: F1 captured
    b[esc + 1] = 0;
    b[esc + 2] = 0x70;
    b[esc + 257] = 1;
    const std::size_t f1 = goldenRecordOffset(1);    // Open Folder
    b[f1 + 1] = 7;
    b[f1 + 2] = 3;
    b[f1 + 3] = 0;
    b[f1 + 4] = 0x23;
    b[f1 + 5] = 0x02;
    putUtf16(b, f1 + 260, kGoldenFolder);
    const std::size_t f2 = goldenRecordOffset(2);    // Macro 7
    b[f2 + 1] = 2;
    b[f2 + 2] = 4;
    b[f2 + 3] = 1;
    b[f2 + 4] = 7;
    const std::size_t last = goldenRecordOffset(254); // never used, carried as it is
    b[last + 10] = 0xEE;
    b[last + 771] = 0xEF;
    return b;
}

} // namespace quenlar::testing
