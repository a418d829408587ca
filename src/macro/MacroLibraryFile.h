#pragma once
// MacroDefine.bin, the computer's copy of every macro: the 190 MacroRecords one after the other
// (record i at offset 894 * i), exactly 169860 bytes, no header, no checksum. The file is read once
// at start and written only when the macro manager closes with OK; between those moments the
// master MacroTable in memory is the authority.

#include "macro/MacroRecord.h"
#include "model/Language.h"
#include "model/Result.h"

#include <filesystem>

namespace quenlar {

inline constexpr const char *kMacroLibraryFileName = "MacroDefine.bin";

// Fills table from file. Whatever the file holds is taken byte for byte: a shorter file leaves
// the rest of the table zero, bytes past 169860 are ignored. A missing file is created holding
// the empty table. A file that exists but cannot be read is left alone (it is not replaced by an
// empty library) and the table stays empty; that and a failed creation return a message in the
// interface language.
Result LoadMacroLibrary(const std::filesystem::path &file, MacroTable &table, Language language);

// Writes the whole table to file through a temporary file and a rename, so a failed save leaves
// the old file as it was.
Result SaveMacroLibrary(const std::filesystem::path &file, const MacroTable &table, Language language);

} // namespace quenlar
