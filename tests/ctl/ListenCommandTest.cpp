// listen carries out host-action keys pressed on the virtual keyboard from another process.

#include "CtlRunner.h"

#include <chrono>
#include <functional>
#include <csignal>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

using namespace quenlar;
using namespace quenlar::testing;
namespace fs = std::filesystem;

namespace {

// quenlar-ctl started in the background with its output in a file.
class BackgroundCtl {
public:
    BackgroundCtl(const std::vector<std::string> &args, const fs::path &output) : output_(output) {
        pid_ = ::fork();
        if (pid_ == 0) {
            const int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ::dup2(fd, 1);
            ::dup2(fd, 2);
            std::vector<char *> argv;
            static std::string program = QUENLAR_CTL_PATH;
            argv.push_back(program.data());
            std::vector<std::string> copies = args;
            for (auto &arg : copies)
                argv.push_back(arg.data());
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
    }
    ~BackgroundCtl() {
        if (pid_ > 0 && !waited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    bool waitForOutput(const std::string &text, std::chrono::seconds limit) const {
        return waitFor([&] { return readText(output_).find(text) != std::string::npos; }, limit);
    }
    // Interrupts it and returns its exit status.
    int interrupt() {
        ::kill(pid_, SIGINT);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        waited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string output() const { return readText(output_); }

    static bool waitFor(const std::function<bool()> &done, std::chrono::seconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return true;
    }

private:
    fs::path output_;
    pid_t pid_ = -1;
    bool waited_ = false;
};

TEST(ListenCommand, APressOnTheVirtualKeyboardStartsTheKeysProgramInItsFolder) {
    CtlFixtureFolders folders;
    const fs::path programFolder = folders.root / "tools";
    fs::create_directories(programFolder);
    const fs::path program = programFolder / "mark.sh";
    writeText(program, "#!/bin/sh\ntouch ran-here\n");
    fs::permissions(program, fs::perms::owner_all);
    ASSERT_EQ(folders.run({"assign", "R", "program", program.string()}).status, 0);

    auto args = folders.options();
    args.push_back("listen");
    BackgroundCtl listener(args, folders.root / "listen.txt");
    ASSERT_TRUE(listener.waitForOutput("Listening", std::chrono::seconds(20))) << listener.output();

    const auto pressed = folders.run({"virtual", "press", "R"});
    ASSERT_EQ(pressed.status, 0) << pressed.err;
    EXPECT_TRUE(BackgroundCtl::waitFor([&] { return fs::exists(programFolder / "ran-here"); }, std::chrono::seconds(20)))
        << listener.output();
    EXPECT_TRUE(listener.waitForOutput("key 0x52: started", std::chrono::seconds(5))) << listener.output();
    EXPECT_EQ(listener.interrupt(), 0);
}

TEST(ListenCommand, OnlyAHostActionKeyCanBePressed) {
    CtlFixtureFolders folders;
    ASSERT_EQ(folders.run({"set", "gameMode=0"}).status, 0);
    const auto outcome = folders.run({"virtual", "press", "R"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("does not report to the computer"), std::string::npos) << outcome.err;
    EXPECT_FALSE(fs::exists(folders.stateFile.string() + ".presses"));

    // Without a state file there is no keyboard another process could reach.
    const auto inMemory = runCtl({"--device=virtual", "virtual", "press", "R"});
    EXPECT_EQ(inMemory.status, 2);
}

} // namespace
