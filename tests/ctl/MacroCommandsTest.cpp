// The macro commands: the text form round-trips, and every change ends like the macro manager's
// OK (slots packed into keymap.bin, MacroDefine.bin saved, nothing sent).

#include "CtlRunner.h"

#include "keymap/KeymapFile.h"
#include "macro/MacroLibraryFile.h"
#include "macro/MacroSlots.h"
#include "virtual/VirtualKeyboard.h"

using namespace quenlar;
using namespace quenlar::testing;

namespace {

// Every kind of line: short and long delays (2 and 60000 ms are the ends), a key name shared by
// two keys, a mouse button and a name with blanks inside.
const std::string kMacro =
    "LCtrl  dn\n"
    "A  dn\n"
    "2 ms\n"
    "A  up\n"
    "300 ms\n"
    "LCtrl  up\n"
    "-  dn  #vk=189\n"
    "60000 ms\n"
    "-  up  #vk=189\n"
    "-  dn  #vk=109\n"
    "-  up  #vk=109\n"
    "MsLB dn\n"
    "126 ms\n"
    "MsLB up\n"
    "Mouse Wheel Up dn\n"
    "Mouse Wheel Up up\n";

std::string withoutAnnotations(const std::string &text) {
    std::string result;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        result += line.substr(0, line.find("  #vk=")) + "\n";
    return result;
}

std::unique_ptr<MacroTable> library(const CtlFixtureFolders &folders) {
    auto table = std::make_unique<MacroTable>();
    EXPECT_TRUE(LoadMacroLibrary(folders.macroFile(), *table, Language::English));
    return table;
}

KeyboardState keymapState(const CtlFixtureFolders &folders) {
    KeyboardState state;
    auto records = std::make_unique<HostKeyRecords>();
    const auto bytes = readBytes(folders.keymapFile());
    takeKeymapFileBytes(bytes, KeymapLoadMode::Full, state, *records);
    return state;
}

class MacroCommands : public ::testing::Test {
protected:
    CtlFixtureFolders folders;
    std::filesystem::path text(const std::string &name, const std::string &content) {
        writeText(folders.root / name, content);
        return folders.root / name;
    }
};

TEST_F(MacroCommands, ExportThenImportGivesTheSameMacro) {
    const auto imported = folders.run({"macro", "import", text("in.txt", kMacro).string(), "--name=Copy source"});
    ASSERT_EQ(imported.status, 0) << imported.err;

    const auto shown = folders.run({"macro", "show", "0"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out, withoutAnnotations(kMacro)) << "show prints the manager's lines";

    const auto exported = folders.run({"macro", "export", "0", (folders.root / "out.txt").string()});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(readText(folders.root / "out.txt"), kMacro);

    ASSERT_EQ(folders.run({"macro", "import", (folders.root / "out.txt").string()}).status, 0);
    const auto table = library(folders);
    const MacroRecord &first = (*table)[0], &second = (*table)[1];
    EXPECT_EQ(first.nameView(), u"Copy source");
    EXPECT_EQ(second.nameView(), u"Macro_001");  // the first name no macro has
    EXPECT_EQ(first.deviceEvents, second.deviceEvents);
    EXPECT_EQ(first.hostEvents, second.hostEvents);
    EXPECT_EQ(first.delayFlag, kDelayFlagBit);
    EXPECT_EQ(second.delayFlag, kDelayFlagBit);
    EXPECT_EQ(second.loopCount, 1);
    // Spot checks on the stored bytes: the long form of 60000 ms, and the two different "-" keys.
    // LCtrl dn 0, A dn 2, A up 4, LCtrl up 6 (long form), "-" dn 10, "-" up 12 (long form), "-" dn 16.
    EXPECT_EQ(first.hostEvents[11], 189);
    EXPECT_EQ(first.deviceEvents[12], 0x80 | 0x7F);
    EXPECT_EQ(first.deviceEvents[14], 60000 >> 8);
    EXPECT_EQ(first.deviceEvents[15], 60000 & 0xFF);
    EXPECT_EQ(first.hostEvents[17], 109);
}

TEST_F(MacroCommands, ChangesArePackedIntoKeymapAndSavedButNotSent) {
    ASSERT_EQ(folders.run({"set", "lightBrightness=7"}).status, 0);
    const std::string keyboardBefore = readText(folders.stateFile);
    ASSERT_EQ(folders.run({"macro", "import", text("in.txt", kMacro).string()}).status, 0);
    ASSERT_EQ(folders.run({"macro", "new"}).status, 0);

    const auto table = library(folders);
    const KeyboardState state = keymapState(folders);
    for (int m = 0; m < 2; ++m) {
        const auto slot = state.macroSlot(m);
        EXPECT_EQ(slot[0], (*table)[m].loopCount >> 8);
        EXPECT_EQ(slot[1], (*table)[m].loopCount & 0xFF);
        EXPECT_TRUE(std::equal((*table)[m].deviceEvents.begin(), (*table)[m].deviceEvents.end(), slot.begin() + 2))
            << "slot " << m;
    }
    EXPECT_TRUE(readText(folders.stateFile) == keyboardBefore) << "the manager's OK sends nothing";

    // The keyboard gets the slots with the next apply.
    ASSERT_EQ(folders.run({"apply"}).status, 0);
    const auto slots = VirtualKeyboard(folders.stateFile.string()).memory().macroSlots;
    EXPECT_TRUE(std::equal(state.macroSlots.begin(), state.macroSlots.end(), slots.begin()));
}

TEST_F(MacroCommands, NewRenameAndDeleteFollowTheManagersRules) {
    ASSERT_EQ(folders.run({"macro", "new"}).out, "New macro 0 (Macro_001).\n");
    ASSERT_EQ(folders.run({"macro", "new"}).out, "New macro 1 (Macro_002).\n");
    ASSERT_EQ(folders.run({"macro", "rename", "0", "Work"}).status, 0);
    EXPECT_EQ(folders.run({"macro", "list"}).out, "0\tWork\t0 lines, loop 1\n1\tMacro_002\t0 lines, loop 1\n");

    // Deleting asks first; without --yes the answer is no and nothing changes.
    const auto files = folderContents(folders.dataDir);
    const auto unconfirmed = folders.run({"macro", "delete", "0"});
    EXPECT_EQ(unconfirmed.status, 1);
    EXPECT_NE(unconfirmed.err.find("Confirm to delete?"), std::string::npos) << unconfirmed.err;
    EXPECT_TRUE(folderContents(folders.dataDir) == files) << "files changed";

    ASSERT_EQ(folders.run({"--yes", "macro", "delete", "0"}).status, 0);
    EXPECT_EQ(folders.run({"macro", "list"}).out, "0\tMacro_002\t0 lines, loop 1\n");
    // The deleted name is free again.
    EXPECT_EQ(folders.run({"macro", "new"}).out, "New macro 1 (Macro_001).\n");

    const auto missing = folders.run({"macro", "show", "2"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("there is no macro 2"), std::string::npos) << missing.err;
}

TEST_F(MacroCommands, TheThirtyThirdMacroIsRefused) {
    for (int i = 0; i < 32; ++i)
        ASSERT_EQ(folders.run({"macro", "new"}).status, 0) << i;
    const auto files = folderContents(folders.dataDir);
    const auto outcome = folders.run({"macro", "new"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("32 macros"), std::string::npos) << outcome.err;
    EXPECT_TRUE(folderContents(folders.dataDir) == files) << "files changed";
}

struct BadMacroText {
    const char *name;
    std::string text;
    const char *message;
    friend void PrintTo(const BadMacroText &row, std::ostream *out) { *out << row.name; }
};

class RefusedImports : public ::testing::TestWithParam<BadMacroText> {};

TEST_P(RefusedImports, LeaveBothFilesAsTheyWere) {
    CtlFixtureFolders folders;
    ASSERT_EQ(folders.run({"macro", "new"}).status, 0);
    const auto files = folderContents(folders.dataDir);
    writeText(folders.root / "bad.txt", GetParam().text);
    const auto outcome = folders.run({"macro", "import", (folders.root / "bad.txt").string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(lineCount(outcome.err), 1) << outcome.err;
    EXPECT_NE(outcome.err.find(GetParam().message), std::string::npos) << outcome.err;
    EXPECT_TRUE(folderContents(folders.dataDir) == files) << "files changed";
}

std::string presses(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "A  dn\n";
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Ctl, RefusedImports,
    ::testing::Values(BadMacroText{"NotAnEventLine", "A  dn\nhello\n", "line 2"},
                      BadMacroText{"UnknownKey", "Nokey dn\n", "line 1"},
                      BadMacroText{"SharedNameWithoutCode", "-  dn\n", "#vk"},
                      BadMacroText{"DelayTooLong", "A  dn\n60001 ms\nA  up\n", "60000"},
                      BadMacroText{"KeyWithoutDeviceCode", "?? dn  #vk=7\n", "no code"},
                      BadMacroText{"FirstEventWaits", "50 ms\nA  dn\n", "first event"},
                      BadMacroText{"DelayAtTheEnd", "A  dn\n50 ms\n", "last delay"},
                      BadMacroText{"LongerThanAStream", presses(96), "full"}),
    [](const ::testing::TestParamInfo<BadMacroText> &info) { return std::string(info.param.name); });

} // namespace
