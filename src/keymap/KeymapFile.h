#pragma once
// keymap.bin: the working configuration kept on the computer between runs.
//
//   offset   size    content
//        0   10056   the KeyboardState, byte for byte
//    10056  196860   the 255 HostKeyRecords in order, 772 bytes each
//
// 206916 bytes, no header, no checksum. A profile file has the same layout. Nothing in it is
// validated at load: a short file fills what it holds and leaves the rest of memory as it
// was, bytes beyond 206916 are ignored.

#include "keymap/HostKeyRecord.h"
#include "model/KeyboardState.h"
#include "model/Language.h"
#include "model/Result.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace quenlar {

inline constexpr std::size_t kKeymapFileSize = kKeyboardStateSize + kHostKeyRecordsSize;
static_assert(kKeymapFileSize == 206916);

enum class KeymapLoadMode {
    Full,         // at start-up: the state and the records
    RecordsOnly,  // before the key assignment dialog opens: the records only
};

// Reads a whole keymap.bin or profile file; nullopt when it cannot be opened or read (a
// folder in its place, a read error), never an exception.
std::optional<std::vector<uint8_t>> readConfigurationFile(const std::filesystem::path &file);

// The file image of a configuration.
std::vector<uint8_t> keymapFileBytes(const KeyboardState &state, const HostKeyRecords &records);

// Copies what the file image holds into the state (mode Full only) and the records.
void takeKeymapFileBytes(std::span<const uint8_t> bytes, KeymapLoadMode mode, KeyboardState &state,
                         HostKeyRecords &records);

// Loads keymap.bin. When the file does not exist, the records are zeroed and the file is
// created from the state and the zeroed records. In every case records 0..112 then take their
// KeyTable virtual-key codes. Fails, with a message in the interface language, when the file
// exists but cannot be read (memory then keeps its content) or cannot be created.
Result loadKeymapFile(const std::filesystem::path &file, KeymapLoadMode mode, KeyboardState &state,
                      HostKeyRecords &records, Language language);

// Writes the state and the records to keymap.bin through a temporary file, so a failed write
// leaves the previous file whole. Fails with a message in the interface language.
Result saveKeymapFile(const std::filesystem::path &file, const KeyboardState &state, const HostKeyRecords &records,
                      Language language);

} // namespace quenlar
