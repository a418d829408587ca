#pragma once
// Where the program finds its files.
//
// ProgramFolder is the folder of the running executable, always with a trailing "/", whatever
// the executable is called. The skin images live beside the executable; the data files
// (keymap.bin, MacroDefine.bin, VER.bin and the profile folder Configure) live there too,
// unless --data-dir=DIR names another folder for them.

#include "model/Language.h"

#include <filesystem>
#include <span>
#include <string>

namespace quenlar {

// The folder of the given executable path, with a trailing "/".
std::string folderOfExecutable(const std::filesystem::path &executable);

// The folder of the running executable (read from /proc/self/exe), with a trailing "/".
// Falls back to the current folder when the link cannot be read.
std::string programFolder();

struct DataPaths {
    std::string programFolder;  // the executable's folder, trailing "/"
    std::string dataFolder;     // where the data files live, trailing "/"

    std::filesystem::path keymapFile() const { return dataFolder + "keymap.bin"; }
    std::filesystem::path macroLibraryFile() const { return dataFolder + "MacroDefine.bin"; }
    std::filesystem::path versionFile() const { return dataFolder + "VER.bin"; }
    // The profile folder, without a trailing "/".
    std::filesystem::path profileFolder() const { return dataFolder + "Configure"; }
    // The skin images for the interface language, trailing "/"; always beside the executable.
    std::string skinFolder(Language language) const {
        return programFolder + (language == Language::Chinese ? "png/chinese/" : "png/english/");
    }
    // The firmware updater, started only if it exists.
    std::filesystem::path updaterProgram() const { return programFolder + "Quenlar UK_Update"; }
};

// The paths for a program started with these arguments: "--data-dir=DIR" (the last one wins,
// an empty DIR is ignored) moves the data files to DIR; everything else is left to other parsers.
DataPaths dataPathsFromArguments(std::span<const char *const> arguments, const std::string &programFolder);

} // namespace quenlar
