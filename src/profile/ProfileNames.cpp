#include "profile/ProfileNames.h"

namespace quenlar {

namespace {
constexpr std::string_view kExtension = ".bin";
}

std::string profileDisplayName(std::string_view fileName) {
    std::string shown;
    std::size_t pos = 0;
    while (pos < fileName.size()) {
        if (fileName.substr(pos, kExtension.size()) == kExtension) {
            pos += kExtension.size();
        } else {
            shown += fileName[pos];
            ++pos;
        }
    }
    return shown;
}

std::string profileFileName(std::string_view name) {
    std::string file(name);
    if (!name.ends_with(kExtension))
        file += kExtension;
    return file;
}

std::string makeProfileName(const NameTaken &taken) {
    for (int i = 1;; ++i) {
        std::string candidate;
        if (i < 10)
            candidate = "Profile_" + std::to_string(i);
        else if (i <= 98)
            candidate = "Profile0" + std::to_string(i);
        else
            candidate = "Profile" + std::to_string(i);
        if (!taken(candidate))
            return candidate;
    }
}

std::string makeCopyName(const std::string &source, Language language, const NameTaken &taken) {
    const std::string prefix = language == Language::Chinese ? "复制 " : "Copy of ";
    const std::string base = prefix + " " + source;
    if (!taken(base))
        return base;
    for (int n = 1;; ++n) {
        std::string candidate = base + " " + std::to_string(n);
        if (!taken(candidate))
            return candidate;
    }
}

ProfileNameProblem checkProfileName(std::string_view name) {
    if (name.find('/') != std::string_view::npos || name.find('\\') != std::string_view::npos ||
        name.find("..") != std::string_view::npos)
        return ProfileNameProblem::LeavesFolder;
    if (profileDisplayName(profileFileName(name)).empty())
        return ProfileNameProblem::Empty;
    return ProfileNameProblem::None;
}

} // namespace quenlar
