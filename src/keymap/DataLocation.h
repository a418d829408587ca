#pragma once
// Where an installed copy of the programs keeps the user's data files.
//
// The programs work from their own folder (ProgramFolder): the skins sit beside the executable,
// and so do keymap.bin, MacroDefine.bin, VER.bin and Configure/ when the folder is the user's,
// as in a build tree. An installed copy lives in a folder the user must not write to, so its
// data files go to the user's data folder instead:
//
//   1. --data-dir=DIR given: DIR (dataPathsFromArguments).
//   2. the executable's folder holds the marker file kInstalledMarker (put there by
//      `cmake --install`), or the folder is not writable: ${XDG_DATA_HOME:-$HOME/.local/share}/quenlar/
//   3. otherwise the executable's folder.
//
// The marker decides for an installed copy even where the folder happens to be writable (an
// install into a home folder, or a program run by root), so an installed program never writes
// beside itself. Standard library only, so the window can use it as well.

#include "keymap/ProgramFolder.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace quenlar {

inline constexpr char kInstalledMarker[] = "quenlar-installed";

// ${XDG_DATA_HOME}/quenlar/ when XDG_DATA_HOME is an absolute path, else $HOME/.local/share/quenlar/;
// nullopt when neither is known. Always with a trailing "/". `environment` reads a variable
// (nullptr when unset); by default the process environment.
std::optional<std::string> userDataFolder(const std::function<const char *(const char *)> &environment = {});

// Whether files can be created in this folder (tried, not guessed from the mode bits).
bool folderWritable(const std::filesystem::path &folder);

// The paths for a program started with these arguments and living in programFolder, following
// the rules above. The user data folder is created when it is chosen; `error` tells when no
// usable data folder was found (the executable's folder is then kept).
DataPaths resolveDataPaths(std::span<const char *const> arguments, const std::string &programFolder,
                           std::string *error = nullptr);

} // namespace quenlar
