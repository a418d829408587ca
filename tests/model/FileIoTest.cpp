#include "model/FileIo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace quenlar;
namespace fs = std::filesystem;

TEST(FileIo, AtomicWriteReplacesTheFileAndLeavesNoTemporary) {
    const fs::path dir = fs::temp_directory_path() / ("quenlar-fileio-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path file = dir / "keymap.bin";
    const std::vector<uint8_t> first(100, 1), second(7, 2);
    ASSERT_TRUE(writeFileAtomically(file, first));
    ASSERT_TRUE(writeFileAtomically(file, second));
    EXPECT_EQ(readWholeFile(file), second);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    fs::remove_all(dir);
}

TEST(FileIo, FailuresAreReportedNotHidden) {
    EXPECT_FALSE(readWholeFile("/nonexistent-folder/keymap.bin"));
    EXPECT_FALSE(readWholeFile(fs::temp_directory_path()));  // a folder is not a file
    auto result = writeFileAtomically("/nonexistent-folder/keymap.bin", std::vector<uint8_t>(3, 0));
    EXPECT_FALSE(result);
    EXPECT_NE(result.message().find("/nonexistent-folder/keymap.bin"), std::string::npos);
}

TEST(FileIo, AWriterKilledBeforeTheRenameLeavesTheOldFileWhole) {
    const fs::path dir = fs::temp_directory_path() / ("quenlar-crash-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path file = dir / "MacroDefine.bin";
    const std::vector<uint8_t> old(169860, 0x11), replacement(169860, 0x22);
    ASSERT_TRUE(writeFileAtomically(file, old));

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        (void)writeFileAtomically(file, replacement, [] { ::raise(SIGKILL); });
        ::_exit(0);  // not reached
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);
    EXPECT_EQ(readWholeFile(file), old);

    // The next write still works and replaces the file whole.
    ASSERT_TRUE(writeFileAtomically(file, replacement));
    EXPECT_EQ(readWholeFile(file), replacement);
    fs::remove_all(dir);
}
