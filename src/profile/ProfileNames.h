#pragma once
// Names of profiles and of their files. A profile "Work" is the file Work.bin in the profile
// folder; the name shown for a file is its file name with every ".bin" removed.

#include "model/Language.h"

#include <functional>
#include <string>
#include <string_view>

namespace quenlar {

using NameTaken = std::function<bool(const std::string &)>;

// The shown name of a profile file: the file name with every occurrence of ".bin" removed.
std::string profileDisplayName(std::string_view fileName);

// The file name for a profile name typed by the user: ".bin" is appended unless the name
// already ends with it.
std::string profileFileName(std::string_view name);

// Profile_1 .. Profile_9, then Profile010 .. Profile098, then Profile99 and up: the first that
// is not taken.
std::string makeProfileName(const NameTaken &taken);

// "Copy of  NAME" (two blanks: the prefix ends in one), then "Copy of  NAME 1", "... 2" and so
// on; the Chinese prefix is "复制 ". The first that is not taken.
std::string makeCopyName(const std::string &source, Language language, const NameTaken &taken);

enum class ProfileNameProblem { None, Empty, LeavesFolder };
// A name the user typed must stay inside the profile folder: no "/", "\" or "..", and it must
// leave something to show once ".bin" is removed.
ProfileNameProblem checkProfileName(std::string_view name);

} // namespace quenlar
