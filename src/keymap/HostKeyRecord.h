#pragma once
// The computer-side record of one key.
//
// The keyboard stores only a 4-byte KeyAction per key position. Everything else the program
// needs to know about a key's assignment lives here: which kind of assignment the user chose,
// the keys captured for it, the basic function or macro picked, and for the host actions the
// path of the file, program or folder to open. 255 records (one per KeyTable index; only
// 0..112 are ever filled, the rest stay zero and are carried) are stored behind the
// KeyboardState in keymap.bin and in every profile file, so the struct is also a file layout:
//
//   offset   size  field
//        0      1  virtualKey   the key's own virtual-key code (refilled from the KeyTable at load)
//        1      1  category     AssignmentCategory last applied; 0 for a key never assigned
//        2    255  keyData      Single/Combine: captured virtual keys, zero-terminated;
//                               Macro, Basic, host actions: four bytes, the rest zero
//      257      1  keyCount     captured keys in keyData (0..3); 0 for the other categories
//      258      2  (unused)     always 0
//      260    512  actionPath   host actions: UTF-16LE, at most 255 units and a zero terminator;
//                               left in place when the key later gets another category

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quenlar {

inline constexpr int kHostKeyRecordCount = 255;
inline constexpr int kKeyDataSize = 255;
inline constexpr int kActionPathUnits = 256;        // including the terminator
inline constexpr int kMaxActionPathLength = 255;    // code units before the terminator

struct HostKeyRecord {
    uint8_t virtualKey = 0;
    uint8_t category = 0;
    std::array<uint8_t, kKeyDataSize> keyData{};
    uint8_t keyCount = 0;
    std::array<uint8_t, 2> unused{};
    std::array<uint8_t, 2 * kActionPathUnits> actionPath{};

    // The stored path up to its terminator (at most 255 units, even in a damaged record).
    std::u16string actionPathText() const;
    // Writes the path and its terminator; the bytes after the terminator keep what they held.
    // The caller has checked that the path fits (at most kMaxActionPathLength units).
    void setActionPath(std::u16string_view path);
    // category 0, no captured keys, keyData all zero. virtualKey and actionPath stay.
    void clearAssignment();

    friend bool operator==(const HostKeyRecord &, const HostKeyRecord &) = default;
};

static_assert(sizeof(HostKeyRecord) == 772);
static_assert(alignof(HostKeyRecord) == 1);
static_assert(offsetof(HostKeyRecord, virtualKey) == 0);
static_assert(offsetof(HostKeyRecord, category) == 1);
static_assert(offsetof(HostKeyRecord, keyData) == 2);
static_assert(offsetof(HostKeyRecord, keyCount) == 257);
static_assert(offsetof(HostKeyRecord, unused) == 258);
static_assert(offsetof(HostKeyRecord, actionPath) == 260);

using HostKeyRecords = std::array<HostKeyRecord, kHostKeyRecordCount>;
static_assert(sizeof(HostKeyRecords) == 196860);

inline constexpr std::size_t kHostKeyRecordsSize = sizeof(HostKeyRecords);

// Records 0..112 take the virtual-key code of their KeyTable entry.
void fillVirtualKeys(HostKeyRecords &records);

// The working records and the copy that goes with SyncedState: committed and reverted at the
// same moments as KeyboardImages.
struct HostKeyRecordImages {
    HostKeyRecords working{};
    HostKeyRecords synced{};   // SyncedHostKeyRecords
    void commit() { synced = working; }
    void revert() { working = synced; }
};

} // namespace quenlar
