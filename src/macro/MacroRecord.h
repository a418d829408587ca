#pragma once
// One macro as the computer keeps it, and the table of all of them.
//
// MacroRecord is at once the memory layout and the layout of one record of MacroDefine.bin:
// 894 bytes, packed, little-endian, no padding (note the streams start at the odd offsets
// 513 and 703). The table of 190 records is the whole file, 169860 bytes, with no header.
//
// The named records sit together from record 0 on (new macros are appended, deleted ones close
// the gap), so a record's index is also its macro number: the number a key is bound to and the
// keyboard's macro slot. At most 32 records are named.

#include "macro/MacroEvent.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quenlar {

inline constexpr int kMacroNameUnits = 255;     // UTF-16 code units, terminator included
inline constexpr int kMaxMacroNameLength = 254; // units a name may use
inline constexpr int kMacroRecordCount = 190;
inline constexpr int kMaxNamedMacros = 32;
inline constexpr uint8_t kDelayFlagBit = 0x01;

struct MacroRecord {
    std::array<char16_t, kMacroNameUnits> name{}; // zero-terminated; empty = free record
    uint16_t loopCount = 0;                        // times the keyboard plays the macro; 1 = no looping
    uint8_t delayFlag = 0;                         // bit 0: recorded and edited with delays
    MacroStream deviceEvents{};                    // keyboard usages
    MacroStream hostEvents{};                      // virtual-key codes
    uint8_t spare = 0;

    bool named() const { return name[0] != 0; }
    // The name up to its terminator (all 255 units when a file carries none).
    std::u16string_view nameView() const;
    friend bool operator==(const MacroRecord &, const MacroRecord &) = default;
};

static_assert(std::endian::native == std::endian::little, "MacroRecord is stored as it lies in memory");
static_assert(sizeof(MacroRecord) == 894);
static_assert(offsetof(MacroRecord, name) == 0);
static_assert(offsetof(MacroRecord, loopCount) == 510);
static_assert(offsetof(MacroRecord, delayFlag) == 512);
static_assert(offsetof(MacroRecord, deviceEvents) == 513);
static_assert(offsetof(MacroRecord, hostEvents) == 703);
static_assert(offsetof(MacroRecord, spare) == 893);

using MacroTable = std::array<MacroRecord, kMacroRecordCount>;
static_assert(sizeof(MacroTable) == 169860);

inline constexpr std::size_t kMacroTableSize = sizeof(MacroTable);

std::span<uint8_t, kMacroTableSize> tableBytes(MacroTable &table);
std::span<const uint8_t, kMacroTableSize> tableBytes(const MacroTable &table);

// How many records from record 0 on are named, at most 32: the macros the manager lists and the
// keyboard receives. Named records after the first free one, or past the 32nd, are kept in the
// file as they are but are not macros.
int namedMacroCount(const MacroTable &table);

} // namespace quenlar
