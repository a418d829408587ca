#pragma once
// Where each window finds its skin images: beside the executable, in png/english/ or
// png/chinese/, with one sub-folder per dialog. File names are the same in both languages.

#include "model/Language.h"

#include <QString>

namespace quenlar::controls {

enum class SkinWindow { Main, ProfileManager, KeyAssignment, MacroManager };

// "english" or "chinese".
QString languageFolderName(Language language);

// The skin folder of a window, with a trailing "/". programFolder must end with "/".
QString skinFolder(const QString &programFolder, Language language, SkinWindow window);

// The folder of the running executable, with a trailing "/".
QString executableFolder();

} // namespace quenlar::controls
