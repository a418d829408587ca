#pragma once
// Runs the real quenlar-ctl binary and collects what it printed and how it ended, plus the
// small file helpers the command-line tests share.

#include "keymap/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace quenlar::testing {

struct CtlOutcome {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string shellQuoted(const std::string &text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline std::string readText(const std::filesystem::path &file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::vector<uint8_t> readBytes(const std::filesystem::path &file) {
    const std::string text = readText(file);
    return {text.begin(), text.end()};
}

inline void writeText(const std::filesystem::path &file, const std::string &text) {
    std::ofstream(file, std::ios::binary) << text;
}

// Every regular file under a folder with its bytes, by path relative to the folder.
inline std::map<std::string, std::string> folderContents(const std::filesystem::path &folder) {
    std::map<std::string, std::string> contents;
    std::error_code error;
    if (!std::filesystem::exists(folder, error))
        return contents;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file() || entry.is_symlink())
            contents[std::filesystem::relative(entry.path(), folder).string()] =
                entry.is_symlink() ? "-> " + std::filesystem::read_symlink(entry.path()).string()
                                   : readText(entry.path());
    return contents;
}

// Runs `program args...` with extra environment settings ("NAME=VALUE"; "NAME=" unsets).
inline CtlOutcome runProgram(const std::string &program, const std::vector<std::string> &args,
                             const std::vector<std::string> &environment = {}) {
    static int counter = 0;
    const auto base = std::filesystem::temp_directory_path() /
                      ("quenlar-ctl-run-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    // env takes its -u options before the settings.
    std::string command = "env";
    for (const auto &setting : environment)
        if (setting.back() == '=')
            command += " -u " + shellQuoted(setting.substr(0, setting.size() - 1));
    for (const auto &setting : environment)
        if (setting.back() != '=')
            command += " " + shellQuoted(setting);
    command += " " + shellQuoted(program);
    for (const auto &arg : args)
        command += " " + shellQuoted(arg);
    command += " >" + shellQuoted(base.string() + ".out") + " 2>" + shellQuoted(base.string() + ".err") + " </dev/null";
    const int raw = std::system(command.c_str());
    CtlOutcome outcome;
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    outcome.out = readText(base.string() + ".out");
    outcome.err = readText(base.string() + ".err");
    std::filesystem::remove(base.string() + ".out");
    std::filesystem::remove(base.string() + ".err");
    return outcome;
}

inline CtlOutcome runCtl(const std::vector<std::string> &args, const std::vector<std::string> &environment = {}) {
    return runProgram(QUENLAR_CTL_PATH, args, environment);
}

inline int lineCount(const std::string &text) {
    int lines = 0;
    for (char c : text)
        lines += c == '\n';
    return lines;
}

// A virtual keyboard's state file and a data folder, both fresh, and the options naming them.
struct CtlFixtureFolders {
    TempFolder root{"quenlar-ctl"};
    std::filesystem::path stateFile = root / "keyboard.state";
    std::filesystem::path dataDir = root / "data";
    std::filesystem::path traceFile = root / "trace.txt";

    CtlFixtureFolders() { std::filesystem::create_directories(dataDir); }

    std::vector<std::string> options() const {
        return {"--device=virtual:" + stateFile.string(), "--data-dir=" + dataDir.string()};
    }
    CtlOutcome run(std::vector<std::string> args, const std::vector<std::string> &environment = {}) const {
        std::vector<std::string> all = options();
        all.insert(all.end(), args.begin(), args.end());
        return runCtl(all, environment);
    }
    // The same, with every report written to traceFile.
    CtlOutcome runTraced(std::vector<std::string> args) const {
        std::vector<std::string> all = options();
        all.push_back("--trace=" + traceFile.string());
        all.insert(all.end(), args.begin(), args.end());
        return runCtl(all);
    }
    std::filesystem::path keymapFile() const { return dataDir / "keymap.bin"; }
    std::filesystem::path macroFile() const { return dataDir / "MacroDefine.bin"; }
    std::filesystem::path profileFolder() const { return dataDir / "Configure"; }
};

// Lines of `text` that carry a report sent to the keyboard.
inline int sentReports(const std::string &trace) {
    int sent = 0;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);)
        sent += line.find(" > ") != std::string::npos;
    return sent;
}

} // namespace quenlar::testing
