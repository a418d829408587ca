#pragma once
// Every text the macro manager's logic shows to the user, in both interface languages.

#include "model/Language.h"

#include <string>

namespace quenlar {

enum class MacroMessageId {
    SelectMacroToRecord, // record button with no macro selected
    ConfirmDelete,       // Delete button, asked first
    SelectMacroToDelete, // Delete confirmed with no macro selected
    EditCurrentDelay,    // Insert Delay on a delay line
    MacroFull,           // an insertion or a longer delay does not fit the 190-byte stream
    BadMacroName,        // a new name that is empty, too long or holds a null character
    LibraryUnreadable,   // MacroDefine.bin exists but cannot be read
    LibraryNotCreated,   // MacroDefine.bin is missing and cannot be created
    LibraryNotSaved,     // MacroDefine.bin cannot be written
};

struct MacroMessage {
    std::string text;
    std::string caption;
};

MacroMessage macroMessage(MacroMessageId id, Language language);

} // namespace quenlar
