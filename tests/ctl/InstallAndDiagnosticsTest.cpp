// Device permissions, diagnostics and the installed program: the udev rule against the device
// table, doctor and report on the virtual keyboard, an install into a temporary prefix and the
// data-folder rule that keeps an installed copy's files in the user's data folder.

#include "CtlRunner.h"

#include "keymap/DataLocation.h"
#include "device/InterfaceMatching.h"

#include <cstdio>
#include <set>

using namespace quenlar;
using namespace quenlar::testing;
namespace fs = std::filesystem;

namespace {

const fs::path kGeneratedRule = QUENLAR_UDEV_RULE_PATH;
const fs::path kBuildDir = QUENLAR_BUILD_DIR;

TEST(UdevRule, GrantsTheSeatUserEveryProductOfTheDeviceTableAndNothingElse) {
    const std::string rule = readText(kGeneratedRule);
    ASSERT_FALSE(rule.empty()) << kGeneratedRule;
    std::set<std::pair<std::string, std::string>> granted;
    std::istringstream lines(rule);
    // The four hex digits after `key`, lower case as udev compares them.
    auto idAfter = [](const std::string &line, const std::string &key) -> std::string {
        const auto at = line.find(key + "==\"");
        if (at == std::string::npos)
            return {};
        const std::string id = line.substr(at + key.size() + 3, 4);
        const bool hex = id.size() == 4 && id.find_first_not_of("0123456789abcdef") == std::string::npos &&
                         line.compare(at + key.size() + 7, 1, "\"") == 0;
        return hex ? id : std::string();
    };
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::string vendor = idAfter(line, "ATTRS{idVendor}"), product = idAfter(line, "ATTRS{idProduct}");
        ASSERT_FALSE(vendor.empty() || product.empty()) << line;
        granted.insert({vendor, product});
        EXPECT_NE(line.find("SUBSYSTEM==\"hidraw\""), std::string::npos) << line;
        EXPECT_NE(line.find("TAG+=\"uaccess\""), std::string::npos) << line;
        EXPECT_EQ(line.find("MODE"), std::string::npos) << "no mode: the nodes never become world-writable";
        EXPECT_EQ(line.find("GROUP"), std::string::npos) << line;
    }
    std::set<std::pair<std::string, std::string>> table;
    for (uint16_t product : kKeyboardProductIds) {
        char vendor[8], productText[8];
        std::snprintf(vendor, sizeof vendor, "%04x", kKeyboardVendorId);
        std::snprintf(productText, sizeof productText, "%04x", product);
        table.insert({vendor, productText});
    }
    EXPECT_EQ(granted, table);
    EXPECT_EQ(table.size(), 2u);
    // The rule must sort before 73-seat-late.rules, which turns the tag into access.
    EXPECT_LT(kGeneratedRule.filename().string(), "73");
}

TEST(Doctor, OnTheVirtualKeyboardBothInterfacesOpen) {
    const auto outcome = runCtl({"--device=virtual", "doctor"}, {"DISPLAY=", "WAYLAND_DISPLAY="});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find("configuration interface: virtual:quenlar/config opens"), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.out.find("event interface: virtual:quenlar/event opens"), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.out.find("system tray: no graphical session"), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.out.find("udev rule: "), std::string::npos) << outcome.out;
}

TEST(Doctor, AnUnreachableDisplayIsReportedNotFatal) {
    const auto outcome = runCtl({"--device=virtual", "doctor"},
                                {"DISPLAY=:nowhere", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find("system tray: "), std::string::npos) << outcome.out;
    EXPECT_EQ(outcome.out.find("system tray: available"), std::string::npos) << outcome.out;
}

TEST(Doctor, WithoutAKeyboardSaysWhatToDo) {
    const auto outcome = runCtl({"--device=hid", "doctor"}, {"DISPLAY=", "WAYLAND_DISPLAY="});
    if (outcome.out.find("keyboard: not found") == std::string::npos)
        GTEST_SKIP() << "a keyboard is plugged in here";
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.out.find("Plug it in (vendor 04D9, product 0001 A131)"), std::string::npos) << outcome.out;
}

TEST(Report, HoldsVersionPlatformDevicesFirmwareAndATraceOfARead) {
    TempFolder folder("quenlar-report");
    const fs::path file = folder / "report.txt";
    const auto outcome = runCtl({"--device=virtual", "report", file.string()}, {"DISPLAY=", "WAYLAND_DISPLAY="});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const std::string report = readText(file);
    for (const char *part : {"program version: ", "platform: Linux", "== devices found\nvirtual:quenlar/",
                             "== permission check", "configuration interface: virtual:quenlar/config opens",
                             "firmware version: 1.4", "== report trace of a read-all", " > feature 00 ",
                             " < feature 00 ", " < input 00 "})
        EXPECT_NE(report.find(part), std::string::npos) << part << "\n" << report;

    const auto nowhere = runCtl({"--device=virtual", "report", (folder / "missing" / "r.txt").string()});
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_FALSE(fs::exists(folder / "missing"));
}

// Every file under a folder, by relative path (links by their target).
std::map<std::string, std::string> tree(const fs::path &folder) { return folderContents(folder); }

TEST(Install, TheInstalledProgramFindsItsSkinsAndWritesOnlyIntoTheUsersDataFolder) {
    TempFolder root("quenlar-install");
    const fs::path prefix = root / "prefix";
    const auto installed = runProgram(QUENLAR_CMAKE, {"--install", kBuildDir.string(), "--prefix", prefix.string()});
    ASSERT_EQ(installed.status, 0) << installed.out << installed.err;

    // What the install put in place.
    const fs::path ctl = prefix / "bin" / "quenlar-ctl";
    ASSERT_TRUE(fs::is_symlink(ctl));
    EXPECT_EQ(fs::read_symlink(ctl), fs::path("../lib/quenlar/quenlar-ctl"));
    EXPECT_TRUE(fs::exists(prefix / "lib/quenlar" / kInstalledMarker));
    EXPECT_EQ(readText(prefix / "lib/udev/rules.d" / kGeneratedRule.filename()), readText(kGeneratedRule));
    const std::string desktop = readText(prefix / "share/applications/quenlar-uk.desktop");
    EXPECT_NE(desktop.find("Exec=" + (prefix / "bin/quenlar-uk").string() + "\n"), std::string::npos) << desktop;
    EXPECT_NE(desktop.find("Icon=quenlar-uk\n"), std::string::npos) << desktop;
    const bool skinsBuilt = fs::exists(kBuildDir / "bin/png/english");
    if (skinsBuilt) {
        EXPECT_TRUE(fs::exists(prefix / "share/icons/hicolor/256x256/apps/quenlar-uk.png"));
        EXPECT_TRUE(fs::exists(prefix / "lib/quenlar/png/english/main.png"));
    }

    // The installed program at work, as a user whose data folder is under HOME.
    const fs::path home = root / "home", state = root / "keyboard" / "state";
    fs::create_directories(home);
    fs::create_directories(state.parent_path());
    const auto prefixBefore = tree(prefix);
    const std::vector<std::string> environment = {"HOME=" + home.string(), "XDG_DATA_HOME=", "DISPLAY=",
                                                  "WAYLAND_DISPLAY="};
    auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), "--device=virtual:" + state.string());
        return runProgram(ctl.string(), args, environment);
    };
    for (const auto &args : std::vector<std::vector<std::string>>{
             {"assign", "F1", "key", "LCtrl"}, {"macro", "new"}, {"profile", "new"}}) {
        const auto outcome = run(args);
        EXPECT_EQ(outcome.status, 0) << args[0] << ": " << outcome.err;
    }
    const auto doctor = run({"doctor"});
    EXPECT_EQ(doctor.status, 0) << doctor.out;
    const std::string skins = "skins: " + (prefix / "lib/quenlar/png/english/").string();
    EXPECT_NE(doctor.out.find(skins + (skinsBuilt ? "\n" : " (missing)\n")), std::string::npos) << doctor.out;
    EXPECT_NE(doctor.out.find("data folder: " + (home / ".local/share/quenlar/").string() + "\n"), std::string::npos)
        << doctor.out;

    EXPECT_TRUE(tree(prefix) == prefixBefore) << "the installed program wrote beside itself";
    std::set<std::string> homeFiles;
    for (const auto &[path, bytes] : tree(home))
        homeFiles.insert(path);
    EXPECT_EQ(homeFiles, (std::set<std::string>{".local/share/quenlar/keymap.bin", ".local/share/quenlar/MacroDefine.bin",
                                                ".local/share/quenlar/Configure/Profile_1.bin"}));
    std::set<std::string> keyboardFiles;
    for (const auto &entry : fs::directory_iterator(state.parent_path()))
        keyboardFiles.insert(entry.path().filename().string());
    EXPECT_EQ(keyboardFiles, std::set<std::string>{"state"});

    // XDG_DATA_HOME, when set, is the data home.
    const fs::path xdg = root / "xdg";
    const auto listed = runProgram(ctl.string(), {"--device=virtual", "macro", "new"},
                                   {"HOME=" + home.string(), "XDG_DATA_HOME=" + xdg.string()});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_TRUE(fs::exists(xdg / "quenlar" / "MacroDefine.bin"));
}

// The rule itself, on folders made for the purpose.
class DataLocationRule : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char *name : {"HOME", "XDG_DATA_HOME"})
            if (const char *value = std::getenv(name))
                saved_.emplace_back(name, value);
        ::setenv("HOME", (root / "home").c_str(), 1);
        ::unsetenv("XDG_DATA_HOME");
        fs::create_directories(program);
    }
    void TearDown() override {
        ::unsetenv("HOME");
        ::unsetenv("XDG_DATA_HOME");
        for (const auto &[name, value] : saved_)
            ::setenv(name.c_str(), value.c_str(), 1);
    }
    TempFolder root{"quenlar-data-rule"};
    fs::path program = root / "program";
    std::string programFolderText() const { return program.string() + "/"; }

private:
    std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(DataLocationRule, AWritableProgramFolderKeepsTheDataBesideTheExecutable) {
    const DataPaths paths = resolveDataPaths({}, programFolderText());
    EXPECT_EQ(paths.dataFolder, programFolderText());
    EXPECT_EQ(fileCount(program), 0) << "the write test leaves nothing behind";
    EXPECT_FALSE(fs::exists(root / "home"));
}

TEST_F(DataLocationRule, AnInstalledCopyUsesTheUsersDataFolderAndDataDirStillWins) {
    writeText(program / kInstalledMarker, "");
    std::string error;
    const DataPaths paths = resolveDataPaths({}, programFolderText(), &error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(paths.dataFolder, (root / "home/.local/share/quenlar/").string());
    EXPECT_EQ(paths.programFolder, programFolderText()) << "the skins stay beside the executable";
    EXPECT_TRUE(fs::is_directory(paths.dataFolder));

    const std::string option = "--data-dir=" + (root / "elsewhere").string();
    const char *arguments[] = {option.c_str()};
    EXPECT_EQ(resolveDataPaths(arguments, programFolderText()).dataFolder, (root / "elsewhere/").string());
}

TEST(DataLocation, UserDataFolderFollowsTheBaseDirectoryRules) {
    struct Row {
        const char *xdg;
        const char *home;
        std::optional<std::string> expected;
    };
    const Row rows[] = {
        {"/data/alice", "/home/alice", "/data/alice/quenlar/"},
        {"/data/alice/", "/home/alice", "/data/alice/quenlar/"},
        {"relative/path", "/home/alice", "/home/alice/.local/share/quenlar/"},  // a relative one is ignored
        {nullptr, "/home/alice/", "/home/alice/.local/share/quenlar/"},
        {"", "/home/alice", "/home/alice/.local/share/quenlar/"},
        {nullptr, nullptr, std::nullopt},
        {nullptr, "not/absolute", std::nullopt},
    };
    for (const Row &row : rows) {
        const auto folder = userDataFolder([&](const char *name) -> const char * {
            return std::string(name) == "XDG_DATA_HOME" ? row.xdg : std::string(name) == "HOME" ? row.home : nullptr;
        });
        EXPECT_EQ(folder, row.expected) << (row.xdg ? row.xdg : "(unset)") << " " << (row.home ? row.home : "(unset)");
    }
}

} // namespace
