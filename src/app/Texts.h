#pragma once
// Every text of the main window exists in English and in Chinese; pick() chooses by the
// interface language.

#include "model/Language.h"

#include <QString>

namespace quenlar {

inline QString pick(Language language, const char *english, const char *chinese) {
    return QString::fromUtf8(language == Language::Chinese ? chinese : english);
}

// The home page: shown on the help panel's first line, and opened by a click on it.
inline constexpr const char *kHomePageText = "www.quenlar.example";
inline constexpr const char *kHomePageAddress = "https://www.quenlar.example/";
inline constexpr const char *kWindowTitle = "Pellidor UK";
inline constexpr const char *kTrayTip = "Quenlar Keyboard";

} // namespace quenlar
