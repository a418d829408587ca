#pragma once
// The interface language, read once at start from the setting "Language" of the organisation
// "Mervic" (on Windows the registry value HKEY_CURRENT_USER\Software\Mervic\Language, here
// the organisation's settings file). Exactly "chinese" gives Chinese; anything else, or no
// setting at all, gives English.

#include "model/Language.h"

#include <QString>

namespace quenlar {

Language languageFromSetting(const QString &value);
Language readInterfaceLanguage();

} // namespace quenlar
