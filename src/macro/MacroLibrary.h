#pragma once
// Creating, naming and deleting macros in a MacroTable. The table keeps its named records
// together from record 0 on: a new macro is appended after the last one, a deleted one closes
// the gap (which renumbers every later macro; key bindings keep the numbers they were given).

#include "macro/MacroRecord.h"

#include <optional>
#include <string>
#include <string_view>

namespace quenlar {

// The first of "Macro_001", "Macro_002", ... "Macro_033" that no listed macro is called, so a
// deleted name is reused by the next new macro.
std::u16string MakeNewMacroName(const MacroTable &table);

// A name fits its field when it has 1 to 254 UTF-16 units and no null unit.
bool isValidMacroName(std::u16string_view name);

// Writes a valid name into the record's field, zero-filling the units after it.
void setMacroName(MacroRecord &record, std::u16string_view name);

// Appends a cleared record named by MakeNewMacroName after the last macro and returns its index;
// nullopt when 32 macros exist already.
std::optional<int> appendNewMacro(MacroTable &table);

// Removes macro index (one of the listed macros): later records move one place down and the
// record after the new last macro is cleared.
void removeMacro(MacroTable &table, int index);

} // namespace quenlar
