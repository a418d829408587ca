// The keyboard commands (set, dump, paint, reset) and the rules every command keeps: a refused
// command line exits 2, sends nothing and writes nothing.

#include "CtlRunner.h"

#include "model/KeyTable.h"
#include "virtual/VirtualKeyboard.h"

#include <chrono>

using namespace quenlar;
using namespace quenlar::testing;

namespace {

class KeyboardCommands : public ::testing::Test {
protected:
    CtlFixtureFolders folders;
    VirtualKeyboardMemory memory() const { return VirtualKeyboard(folders.stateFile.string()).memory(); }
};

TEST_F(KeyboardCommands, SettingsSurviveInTheStateFileFromOneRunToTheNext) {
    const auto set = folders.run({"set", "lightBrightness=10", "lightEffect=DIY2", "gameMode=1", "reportRate=1"});
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(set.out, "Written to the keyboard.\n");

    const auto dump = folders.run({"dump", "--json"});
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_NE(dump.out.find("\"lightBrightness\": 10"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("\"lightEffect\": 52"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("\"gameMode\": 1"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("\"reportRate\": 1"), std::string::npos) << dump.out;

    // Once more: the keyboard holds it already and nothing needs sending.
    const auto again = folders.run({"set", "lightBrightness=10"});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, "The keyboard already holds this.\n");
}

TEST_F(KeyboardCommands, UnacknowledgedWriteFailsPromptlyAndTheKeyboardKeepsItsState) {
    ASSERT_EQ(folders.run({"set", "lightBrightness=40"}).status, 0);
    const std::string before = readText(folders.stateFile);

    const auto start = std::chrono::steady_clock::now();
    auto options = folders.options();
    options.insert(options.begin(), "--fault=drop-acks");
    options.insert(options.end(), {"set", "lightBrightness=10"});
    const auto outcome = runCtl(options);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(lineCount(outcome.err), 1) << outcome.err;
    EXPECT_EQ(outcome.err.rfind("quenlar-ctl: ", 0), 0u) << outcome.err;
    EXPECT_NE(outcome.err.find("acknowledg"), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    // The acknowledgement wait is bounded (3 s); this only guards against a hang.
    EXPECT_LT(seconds, 15.0);
    EXPECT_TRUE(readText(folders.stateFile) == before) << "the keyboard's state file changed";
    EXPECT_EQ(memory().lightBrightness, 40);
}

TEST_F(KeyboardCommands, PaintWritesTheCellsOfOneLayerOnly) {
    const auto outcome = folders.run({"paint", "2", "Q", "#FF8000", "Esc", "on"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const auto after = memory();
    const auto layers = after.customLayers;
    auto cell = [&](int layer, int key) {
        const int at = layer * kCustomLayerSize + keyAt(key).ledOffset;
        return std::array<uint8_t, 4>{layers[at], layers[at + 1], layers[at + 2], layers[at + 3]};
    };
    constexpr int kQ = 42, kEsc = 0;
    EXPECT_EQ(cell(1, kQ), (std::array<uint8_t, 4>{0, 0x00, 0x80, 0xFF}));  // 0, blue, green, red
    EXPECT_EQ(cell(1, kEsc), (std::array<uint8_t, 4>{0, 0xFF, 0, 0}));      // lit, as a click lights it
    int lit = 0;
    for (uint8_t byte : layers)
        lit += byte != 0;
    EXPECT_EQ(lit, 3) << "only the two cells changed";

    ASSERT_EQ(folders.run({"paint", "2", "Esc", "off"}).status, 0);
    const auto darker = memory().customLayers;
    const int at = 1 * kCustomLayerSize + keyAt(kEsc).ledOffset;
    EXPECT_EQ((std::array<uint8_t, 4>{darker[at], darker[at + 1], darker[at + 2], darker[at + 3]}),
              (std::array<uint8_t, 4>{0, 0, 0, 0}));
}

TEST_F(KeyboardCommands, WhatTheKeyboardTookIsTheWorkingConfigurationInKeymapWithTheKeyRecordsKept) {
    ASSERT_EQ(folders.run({"assign", "F1", "program", "/usr/bin/true"}).status, 0);
    const auto recordsBefore = readBytes(folders.keymapFile());
    ASSERT_EQ(folders.run({"set", "lightBrightness=12"}).status, 0);
    ASSERT_EQ(folders.run({"paint", "3", "F1", "#010203"}).status, 0);

    const auto keymap = readBytes(folders.keymapFile());
    ASSERT_EQ(keymap.size(), recordsBefore.size());
    EXPECT_TRUE(std::equal(keymap.begin() + kKeyboardStateSize, keymap.end(), recordsBefore.begin() + kKeyboardStateSize))
        << "the key records are kept";
    const auto memory = VirtualKeyboard(folders.stateFile.string()).memory();
    EXPECT_EQ(keymap[offsetof(KeyboardState, lightBrightness)], 12);
    EXPECT_TRUE(std::equal(memory.customLayers.begin(), memory.customLayers.end(),
                           keymap.begin() + offsetof(KeyboardState, customLayers)));
    EXPECT_TRUE(std::equal(memory.keyMatrix.begin(), memory.keyMatrix.end(),
                           keymap.begin() + offsetof(KeyboardState, keyMatrix)));

    // And a changed keymap.bin goes to the keyboard with apply.
    auto edited = keymap;
    edited[offsetof(KeyboardState, lightBrightness)] = 33;
    writeText(folders.keymapFile(), std::string(edited.begin(), edited.end()));
    ASSERT_EQ(folders.run({"apply"}).status, 0);
    EXPECT_EQ(this->memory().lightBrightness, 33);
}

TEST_F(KeyboardCommands, ResetRestoresTheFactorySettings) {
    ASSERT_EQ(folders.run({"set", "lightBrightness=3", "winLock=1"}).status, 0);
    const auto outcome = folders.run({"reset"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(memory(), factoryMemory());
}

// Every row is a command line that must be refused before anything happens.
struct RefusedLine {
    const char *name;
    std::vector<std::string> args;
    friend void PrintTo(const RefusedLine &row, std::ostream *out) { *out << row.name; }
};

class RefusedCommandLines : public ::testing::TestWithParam<RefusedLine> {};

TEST_P(RefusedCommandLines, ExitTwoWithOneLineAndTouchNothing) {
    CtlFixtureFolders folders;
    ASSERT_EQ(folders.run({"set", "lightBrightness=20"}).status, 0);
    const std::string stateBefore = readText(folders.stateFile);
    const auto dataBefore = folderContents(folders.dataDir);

    const auto outcome = folders.runTraced(GetParam().args);
    EXPECT_EQ(outcome.status, 2) << outcome.err;
    EXPECT_EQ(outcome.err.rfind("quenlar-ctl: ", 0), 0u) << outcome.err;
    EXPECT_EQ(sentReports(readText(folders.traceFile)), 0) << "a refused command sends nothing";
    EXPECT_TRUE(readText(folders.stateFile) == stateBefore) << "the keyboard's state file changed";
    EXPECT_TRUE(folderContents(folders.dataDir) == dataBefore) << "a refused command writes no file";
}

INSTANTIATE_TEST_SUITE_P(
    Ctl, RefusedCommandLines,
    ::testing::Values(RefusedLine{"UnknownField", {"set", "lightBrightnes=10"}},
                      RefusedLine{"ValueOutOfRange", {"set", "lightBrightness=51"}},
                      RefusedLine{"OneBadAmongGood", {"set", "lightBrightness=10", "lightDirection=9"}},
                      RefusedLine{"UnknownEffect", {"set", "lightEffect=Sparkle"}},
                      RefusedLine{"UnknownCommand", {"sett", "lightBrightness=10"}},
                      RefusedLine{"UnknownKeyName", {"assign", "F1", "key", "NoSuchKey"}},
                      RefusedLine{"KeyIndexTooLarge", {"assign", "113", "default"}},
                      RefusedLine{"AmbiguousLabel", {"assign", "Shift", "default"}},
                      RefusedLine{"WindowsKeyCannotBeAssigned", {"assign", "96", "key", "A"}},
                      RefusedLine{"FnKeyCannotBeAssigned", {"assign", "Fn", "key", "A"}},
                      RefusedLine{"ComboOfOneKey", {"assign", "F1", "combo", "A"}},
                      RefusedLine{"ComboOfFourKeys", {"assign", "F1", "combo", "LCtrl+LAlt+LShift+A"}},
                      RefusedLine{"UnknownBasicFunction", {"assign", "F1", "basic", "Volume Louder"}},
                      RefusedLine{"MacroNotANumber", {"assign", "F1", "macro", "first"}},
                      RefusedLine{"UnknownAction", {"assign", "F1", "launch", "/bin/true"}},
                      RefusedLine{"LayerOutOfRange", {"paint", "6", "Q", "on"}},
                      RefusedLine{"BadColour", {"paint", "1", "Q", "#12345"}},
                      RefusedLine{"UnlitKey", {"paint", "1", "S1", "on"}},
                      RefusedLine{"PaintWithoutColour", {"paint", "1", "Q"}},
                      RefusedLine{"MacroNumberNotANumber", {"macro", "show", "first"}},
                      RefusedLine{"MacroNameTooLong", {"macro", "rename", "0", std::string(255, 'x')}},
                      RefusedLine{"MacroUnknownSubCommand", {"macro", "record"}},
                      RefusedLine{"ProfileWithoutName", {"profile", "copy"}},
                      RefusedLine{"VirtualPressNeedsKey", {"virtual", "press"}},
                      RefusedLine{"VirtualPressUnknownKey", {"virtual", "press", "Nope"}}),
    [](const ::testing::TestParamInfo<RefusedLine> &info) { return std::string(info.param.name); });

} // namespace
