// The command line as a whole: every command has its help, the keyboard's failures end a command
// with one line and status 1, and an assignment made without a keyboard stays in keymap.bin.

#include "CtlRunner.h"

#include "Commands.h"
#include "keymap/KeymapFile.h"
#include "model/KeyTable.h"

using namespace quenlar;
using namespace quenlar::testing;

namespace {

TEST(CommandLine, EveryCommandExplainsItselfAndNoCommandIsAUsageError) {
    for (const auto &command : ctl::commands()) {
        const auto help = runCtl({command.name, "--help"});
        EXPECT_EQ(help.status, 0) << command.name;
        EXPECT_EQ(help.out.rfind(std::string("usage: quenlar-ctl [OPTIONS] ") + command.name, 0), 0u) << help.out;
        const auto overview = runCtl({"--help"});
        EXPECT_NE(overview.out.find(std::string("  ") + command.name + " "), std::string::npos) << command.name;
    }
    const auto nothing = runCtl({});
    EXPECT_EQ(nothing.status, 2);
    EXPECT_NE(nothing.err.find("usage: quenlar-ctl"), std::string::npos);
    EXPECT_EQ(runCtl({"--device=virtual", "--colour=red", "status"}).status, 2);
}

struct KeyboardFault {
    const char *name;
    std::vector<std::string> args;  // fault option first, then the command
    const char *message;
    // A late acknowledgement still means the keyboard took the step; only the others leave it as it was.
    bool keyboardUnchanged = true;
    friend void PrintTo(const KeyboardFault &fault, std::ostream *out) { *out << fault.name; }
};

class KeyboardFaults : public ::testing::TestWithParam<KeyboardFault> {};

TEST_P(KeyboardFaults, EndTheCommandWithOneLineAndLeaveTheKeyboardAsItWas) {
    CtlFixtureFolders folders;
    ASSERT_EQ(folders.run({"set", "lightBrightness=20"}).status, 0);
    const std::string before = readText(folders.stateFile);
    auto args = GetParam().args;
    const auto options = folders.options();
    args.insert(args.begin() + 1, options.begin(), options.end());
    const auto outcome = runCtl(args);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(lineCount(outcome.err), 1) << outcome.err;
    EXPECT_NE(outcome.err.find(GetParam().message), std::string::npos) << outcome.err;
    if (GetParam().keyboardUnchanged) {
        EXPECT_TRUE(readText(folders.stateFile) == before) << "the keyboard's state file changed";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ctl, KeyboardFaults,
    ::testing::Values(KeyboardFault{"CutBlockRead", {"--fault=cut-blocks=2", "status"}, "sent no data"},
                      KeyboardFault{"WrongAnswers", {"--fault=wrong-answers", "dump", "--json"}, "damaged"},
                      KeyboardFault{"LateAcknowledgements", {"--fault=delay-acks=5000", "set", "lightBrightness=3"},
                                    "did not acknowledge", false},
                      KeyboardFault{"DroppedAcknowledgementsOnAssign", {"--fault=drop-acks", "assign", "F1", "key", "A"},
                                    "kept in"},
                      KeyboardFault{"DroppedAcknowledgementsOnPaint", {"--fault=drop-acks", "paint", "1", "Q", "on"},
                                    "did not acknowledge"}),
    [](const ::testing::TestParamInfo<KeyboardFault> &info) { return std::string(info.param.name); });

TEST(CommandLine, AnAssignmentWithoutAKeyboardIsKeptInKeymapForTheNextApply) {
    if (runCtl({"--device=hid", "probe"}).status == 0)
        GTEST_SKIP() << "a keyboard is plugged in here";
    CtlFixtureFolders folders;
    const auto outcome = runCtl({"--device=hid", "--data-dir=" + folders.dataDir.string(), "assign", "F1", "key", "A"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(lineCount(outcome.err), 1) << outcome.err;
    EXPECT_NE(outcome.err.find("next apply"), std::string::npos) << outcome.err;

    KeyboardState state;
    auto records = std::make_unique<HostKeyRecords>();
    takeKeymapFileBytes(readBytes(folders.keymapFile()), KeymapLoadMode::Full, state, *records);
    EXPECT_EQ(state.keyAction(keyAt(1).matrixSlot()), (KeyAction{0, 0, 4, 0})) << "F1 types A (usage 4)";
    EXPECT_EQ((*records)[1].keyData[0], 'A');
}

} // namespace
