#include "keymap/ProgramFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace quenlar;

TEST(ProgramFolder, IsTheExecutablesFolderWhateverItsName) {
    struct Row {
        const char *executable;
        const char *folder;
    };
    const Row rows[] = {
        {"/opt/quenlar/Quenlar UK", "/opt/quenlar/"},
        {"/opt/quenlar/Quenlar UK.exe", "/opt/quenlar/"},
        {"/home/ann/bin/quenlar-renamed", "/home/ann/bin/"},
        // The program's own name inside a folder name must survive.
        {"/srv/Quenlar UK.exe/bin/Quenlar UK.exe", "/srv/Quenlar UK.exe/bin/"},
        {"/quenlar", "/"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(folderOfExecutable(row.executable), row.folder) << row.executable;
}

TEST(ProgramFolder, RunningProgramFindsFilesBesideItself) {
    const std::string folder = programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(folder + "keymap_tests"));
}

TEST(ProgramFolder, DataDirMovesOnlyTheDataFiles) {
    struct Row {
        const char *name;
        std::vector<const char *> arguments;
        const char *dataFolder;
    };
    const Row rows[] = {
        {"no option", {"quenlar"}, "/opt/q/"},
        {"option", {"quenlar", "--data-dir=/var/lib/q"}, "/var/lib/q/"},
        {"trailing slash kept single", {"quenlar", "--data-dir=/var/lib/q/"}, "/var/lib/q/"},
        {"empty value ignored", {"quenlar", "--data-dir="}, "/opt/q/"},
        {"last one wins", {"quenlar", "--data-dir=/a", "--device=virtual", "--data-dir=/b"}, "/b/"},
        {"similar options ignored", {"quenlar", "--data-directory=/x", "data-dir=/y"}, "/opt/q/"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const DataPaths paths = dataPathsFromArguments(row.arguments, "/opt/q");
        EXPECT_EQ(paths.programFolder, "/opt/q/");
        EXPECT_EQ(paths.dataFolder, row.dataFolder);
        EXPECT_EQ(paths.keymapFile(), std::string(row.dataFolder) + "keymap.bin");
        EXPECT_EQ(paths.macroLibraryFile(), std::string(row.dataFolder) + "MacroDefine.bin");
        EXPECT_EQ(paths.versionFile(), std::string(row.dataFolder) + "VER.bin");
        EXPECT_EQ(paths.profileFolder(), std::string(row.dataFolder) + "Configure");
        EXPECT_EQ(paths.skinFolder(Language::English), "/opt/q/png/english/");
        EXPECT_EQ(paths.skinFolder(Language::Chinese), "/opt/q/png/chinese/");
    }
}
