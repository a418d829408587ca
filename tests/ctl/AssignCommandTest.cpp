// assign leaves exactly the keymap.bin (and keyboard) that the key assignment dialog leaves for
// the same choice: the reference side here builds the request field by field as the dialog
// fills it, and runs it through the core like the window does.

#include "CtlRunner.h"

#include "device/HidLink.h"
#include "keymap/ApplyAssignment.h"
#include "keymap/BasicFunction.h"
#include "keymap/KeymapFile.h"
#include "macro/MacroLibraryFile.h"
#include "macro/MacroSlots.h"
#include "model/KeyTable.h"
#include "virtual/VirtualKeyboard.h"

#include <functional>

using namespace quenlar;
using namespace quenlar::testing;
namespace fs = std::filesystem;

namespace {

constexpr int kF1 = 1, kQ = 42, kW = 43, kE = 44, kR = 45, kT = 46;
constexpr uint8_t kVkLeftControl = 162;

AssignmentRequest captured(AssignmentCategory category, std::vector<uint8_t> keys, bool enabled = true) {
    AssignmentRequest request;
    request.category = category;
    std::copy(keys.begin(), keys.end(), request.capturedKeys.begin());
    request.keyCount = static_cast<int32_t>(keys.size());
    request.keyEnabled = enabled;
    return request;
}

struct AssignCase {
    const char *name;
    std::vector<std::vector<std::string>> before;  // quenlar-ctl runs that set the scene
    std::vector<std::string> assign;
    int key;
    std::function<AssignmentRequest()> dialog;  // what the dialog hands over for the same choice
    friend void PrintTo(const AssignCase &row, std::ostream *out) { *out << row.name; }
};

const std::string kMacroText = "A  dn\n300 ms\nA  up\n";

// The window's path: read the keyboard over keymap.bin, apply the dialog's request, save,
// write-all, save again.
void assignLikeTheWindow(const fs::path &stateFile, const fs::path &dataDir, int key, AssignmentRequest request) {
    VirtualKeyboard keyboard(stateFile.string());
    ReportTrace trace;
    RealSleeper sleeper;
    HidLink link(keyboard, sleeper, trace);
    ASSERT_TRUE(link.open(nullptr));
    KeyboardImages images;
    auto records = std::make_unique<HostKeyRecords>();
    ASSERT_TRUE(loadKeymapFile(dataDir / "keymap.bin", KeymapLoadMode::Full, images.working, *records, Language::English));
    const auto read = link.readAll(images.working);
    ASSERT_TRUE(read.result);
    images.working = read.state;
    images.commit();
    auto macros = std::make_unique<MacroTable>();
    if (fs::exists(dataDir / "MacroDefine.bin")) {
        ASSERT_TRUE(LoadMacroLibrary(dataDir / "MacroDefine.bin", *macros, Language::English));
    }
    KeyNameTable names;
    KeyChangedFlags changed{};
    const AssignmentTarget target{images.working, *records, changed};
    const AssignmentEnvironment environment{names, Language::English,
                                            [&](KeyboardState &state) { PackMacroSlots(*macros, state); }};
    ASSERT_TRUE(applyConfirmedAssignment(key, request, target, environment, dataDir / "keymap.bin"));
    ASSERT_TRUE(link.writeAll(images).result);
    ASSERT_TRUE(saveKeymapFile(dataDir / "keymap.bin", images.working, *records, Language::English));
    link.closeLink();
}

class AssignMatchesTheDialog : public ::testing::TestWithParam<AssignCase> {};

TEST_P(AssignMatchesTheDialog, SameKeymapFileAndSameKeyboard) {
    const AssignCase &c = GetParam();
    CtlFixtureFolders folders;
    writeText(folders.root / "macro.txt", kMacroText);
    for (auto step : c.before) {
        for (auto &arg : step)
            if (arg == "MACRO_FILE")
                arg = (folders.root / "macro.txt").string();
        const auto outcome = folders.run(step);
        ASSERT_EQ(outcome.status, 0) << outcome.err;
    }
    // The reference starts from copies of the same keyboard and data folder.
    const fs::path referenceState = folders.root / "reference.state";
    const fs::path referenceData = folders.root / "reference-data";
    if (fs::exists(folders.stateFile))
        fs::copy_file(folders.stateFile, referenceState);
    fs::copy(folders.dataDir, referenceData, fs::copy_options::recursive);

    const auto outcome = folders.run(c.assign);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");

    assignLikeTheWindow(referenceState, referenceData, c.key, c.dialog());
    const auto mine = readBytes(folders.keymapFile());
    const auto theirs = readBytes(referenceData / "keymap.bin");
    ASSERT_EQ(mine.size(), kKeymapFileSize);
    EXPECT_TRUE(mine == theirs) << "keymap.bin differs from the dialog's";
    EXPECT_EQ(VirtualKeyboard(folders.stateFile.string()).memory(), VirtualKeyboard(referenceState.string()).memory())
        << "the keyboard holds something else than after the dialog";
}

INSTANTIATE_TEST_SUITE_P(
    Ctl, AssignMatchesTheDialog,
    ::testing::Values(
        AssignCase{"KeyByName", {}, {"assign", "F1", "key", "LCtrl"}, kF1,
                   [] { return captured(AssignmentCategory::Single, {kVkLeftControl}); }},
        AssignCase{"KeyByCodeOnTheKeysOwnCode", {}, {"assign", "1", "key", "0x70"}, kF1,
                   [] { return captured(AssignmentCategory::Single, {0x70}); }},
        AssignCase{"Combination", {}, {"assign", "Q", "combo", "LCtrl+C"}, kQ,
                   [] { return captured(AssignmentCategory::Combine, {kVkLeftControl, 'C'}); }},
        AssignCase{"ThreeKeyCombinationByCodes", {}, {"assign", "Q", "combo", "162+164+46"}, kQ,
                   [] { return captured(AssignmentCategory::Combine, {kVkLeftControl, 164, 46}); }},
        AssignCase{"BasicFunctionByItsChineseName", {}, {"assign", "W", "basic", "音量+"}, kW,
                   [] {
                       AssignmentRequest request;
                       request.category = AssignmentCategory::Basic;
                       request.functionName = "Vol+";  // the tree shows the interface language
                       return request;
                   }},
        AssignCase{"Macro",
                   {{"macro", "new"}, {"macro", "import", "MACRO_FILE"}},
                   {"assign", "E", "macro", "1"}, kE,
                   [] {
                       AssignmentRequest request;
                       request.category = AssignmentCategory::Macro;
                       request.macroIndex = 1;
                       return request;
                   }},
        AssignCase{"Program", {}, {"assign", "R", "program", "/usr/bin/true"}, kR,
                   [] {
                       AssignmentRequest request;
                       request.category = AssignmentCategory::Startup;
                       request.actionPath = u"/usr/bin/true";
                       return request;
                   }},
        AssignCase{"FolderReplacesAFile", {{"assign", "R", "file", "/etc/hostname"}}, {"assign", "R", "folder", "/tmp"}, kR,
                   [] {
                       AssignmentRequest request;
                       request.category = AssignmentCategory::OpenFolder;
                       request.actionPath = u"/tmp";
                       return request;
                   }},
        AssignCase{"DefaultAfterACombination", {{"assign", "Q", "combo", "LCtrl+C"}}, {"assign", "Q", "default"}, kQ,
                   [] {
                       AssignmentRequest request = captured(AssignmentCategory::Combine, {kVkLeftControl, 'C'});
                       request.keyCount = kRestoreDefaultKeyCount;
                       return request;
                   }},
        AssignCase{"DisableKeepsTheCombination", {{"assign", "Q", "combo", "LCtrl+C"}}, {"assign", "Q", "disable"}, kQ,
                   [] { return captured(AssignmentCategory::Combine, {kVkLeftControl, 'C'}, false); }},
        AssignCase{"EnableAfterDisable",
                   {{"assign", "Q", "combo", "LCtrl+C"}, {"assign", "Q", "disable"}},
                   {"assign", "Q", "enable"}, kQ,
                   [] { return captured(AssignmentCategory::Combine, {kVkLeftControl, 'C'}, true); }},
        AssignCase{"DisableKeepsTheProgram", {{"assign", "R", "program", "/usr/bin/true"}}, {"assign", "R", "disable"}, kR,
                   [] {
                       AssignmentRequest request;
                       request.category = AssignmentCategory::Startup;
                       request.actionPath = u"/usr/bin/true";
                       request.keyEnabled = false;
                       return request;
                   }},
        AssignCase{"DisableOfAnUnassignedKeySavesTheEmptySinglePage", {}, {"assign", "T", "disable"}, kT,
                   [] {
                       AssignmentRequest request;
                       request.category = AssignmentCategory::RestoreKey;
                       request.keyEnabled = false;
                       return request;
                   }},
        AssignCase{"ANewKeyKeepsTheDisableBoxTicked", {{"assign", "T", "disable"}}, {"assign", "T", "key", "A"}, kT,
                   [] { return captured(AssignmentCategory::Single, {'A'}, false); }}),
    [](const ::testing::TestParamInfo<AssignCase> &info) { return std::string(info.param.name); });

// Refusals that need the data folder or the core's rules: exit 1, nothing written, nothing sent.
struct RefusedAssignment {
    const char *name;
    std::vector<std::string> args;
    const char *message;  // part of the one line
    friend void PrintTo(const RefusedAssignment &row, std::ostream *out) { *out << row.name; }
};

class RefusedAssignments : public ::testing::TestWithParam<RefusedAssignment> {};

TEST_P(RefusedAssignments, ChangeNothing) {
    CtlFixtureFolders folders;
    ASSERT_EQ(folders.run({"macro", "new"}).status, 0);
    const auto dataBefore = folderContents(folders.dataDir);
    const auto stateBefore = readText(folders.stateFile);

    const auto outcome = folders.runTraced(GetParam().args);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(lineCount(outcome.err), 1) << outcome.err;
    EXPECT_NE(outcome.err.find(GetParam().message), std::string::npos) << outcome.err;
    EXPECT_EQ(sentReports(readText(folders.traceFile)), 0);
    EXPECT_TRUE(folderContents(folders.dataDir) == dataBefore) << "files changed";
    EXPECT_TRUE(readText(folders.stateFile) == stateBefore) << "the keyboard's state file changed";
}

INSTANTIATE_TEST_SUITE_P(
    Ctl, RefusedAssignments,
    ::testing::Values(
        RefusedAssignment{"MacroThatDoesNotExist", {"assign", "F1", "macro", "1"}, "no macro 1"},
        RefusedAssignment{"MacroBeyondTheKeyboardsSlots", {"assign", "F1", "macro", "32"}, "32 macros"},
        RefusedAssignment{"PathLongerThanItsField", {"assign", "F1", "file", "/" + std::string(255, 'p')}, "too long"}),
    [](const ::testing::TestParamInfo<RefusedAssignment> &info) { return std::string(info.param.name); });

} // namespace
