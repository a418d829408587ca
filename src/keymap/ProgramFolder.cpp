#include "keymap/ProgramFolder.h"

#include <string_view>
#include <system_error>

namespace quenlar {

namespace {
std::string withTrailingSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}
} // namespace

std::string folderOfExecutable(const std::filesystem::path &executable) {
    return withTrailingSlash(executable.parent_path().string());
}

std::string programFolder() {
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && executable.has_parent_path())
        return folderOfExecutable(executable);
    const auto current = std::filesystem::current_path(error);
    return withTrailingSlash(error ? std::string(".") : current.string());
}

DataPaths dataPathsFromArguments(std::span<const char *const> arguments, const std::string &programFolder) {
    constexpr std::string_view kOption = "--data-dir=";
    DataPaths paths{withTrailingSlash(programFolder), withTrailingSlash(programFolder)};
    for (const char *argument : arguments) {
        if (argument == nullptr)
            continue;
        const std::string_view text(argument);
        if (text.starts_with(kOption) && text.size() > kOption.size())
            paths.dataFolder = withTrailingSlash(std::string(text.substr(kOption.size())));
    }
    return paths;
}

} // namespace quenlar
