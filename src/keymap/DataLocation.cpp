#include "keymap/DataLocation.h"

#include <cstdlib>
#include <fstream>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace quenlar {

std::optional<std::string> userDataFolder(const std::function<const char *(const char *)> &environment) {
    auto get = [&](const char *name) -> std::string {
        const char *value = environment ? environment(name) : std::getenv(name);
        return value ? std::string(value) : std::string();
    };
    std::string base = get("XDG_DATA_HOME");
    // The base directory rules ignore a relative XDG_DATA_HOME.
    if (base.empty() || base.front() != '/') {
        const std::string home = get("HOME");
        if (home.empty() || home.front() != '/')
            return std::nullopt;
        base = home + (home.back() == '/' ? "" : "/") + ".local/share";
    }
    if (base.back() != '/')
        base += '/';
    return base + "quenlar/";
}

bool folderWritable(const fs::path &folder) {
    // access() says yes to root on a read-only mount's neighbour folders and no to nothing; a
    // real file tells the truth.
    const fs::path probe = folder / (".quenlar-write-test-" + std::to_string(::getpid()));
    {
        std::ofstream out(probe, std::ios::binary);
        if (!out)
            return false;
    }
    std::error_code error;
    fs::remove(probe, error);
    return true;
}

DataPaths resolveDataPaths(std::span<const char *const> arguments, const std::string &programFolder,
                           std::string *error) {
    DataPaths paths = dataPathsFromArguments(arguments, programFolder);
    if (paths.dataFolder != paths.programFolder)
        return paths;  // --data-dir
    std::error_code ec;
    const bool installed = fs::exists(fs::path(paths.programFolder) / kInstalledMarker, ec);
    if (!installed && folderWritable(paths.programFolder))
        return paths;
    const auto user = userDataFolder();
    if (!user) {
        if (error)
            *error = "no folder for the data files: neither XDG_DATA_HOME nor HOME is set";
        return paths;
    }
    fs::create_directories(*user, ec);
    if (ec) {
        if (error)
            *error = "cannot create the data folder " + *user + ": " + ec.message();
        return paths;
    }
    paths.dataFolder = *user;
    return paths;
}

} // namespace quenlar
