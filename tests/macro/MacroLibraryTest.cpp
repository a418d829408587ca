// Creating, deleting and renaming macros in the manager's working table, and the options that
// travel with a macro (loop count, delay mode).
#include "MacroTestSupport.h"

#include "macro/MacroLibraryFile.h"

#include <filesystem>
#include <unistd.h>

using namespace quenlar;
using namespace quenlar::test;

namespace {
std::vector<std::u16string> listed(const MacroEditSession &session) {
    std::vector<std::u16string> names;
    for (int i = 0; i < session.macroCount(); ++i)
        names.emplace_back(session.macroName(i));
    return names;
}
} // namespace

TEST(MacroLibrary, NewMacroNames) {
    struct Row {
        const char *name;
        std::vector<std::u16string> existing;
        std::u16string expected;
    };
    std::vector<std::u16string> nine, thirtyOne;
    for (int n = 1; n <= 9; ++n)
        nine.push_back(u"Macro_00" + std::u16string(1, static_cast<char16_t>(u'0' + n)));
    thirtyOne = nine;
    for (int n = 10; n <= 31; ++n)
        thirtyOne.push_back(u"Macro_0" + std::u16string{static_cast<char16_t>(u'0' + n / 10),
                                                        static_cast<char16_t>(u'0' + n % 10)});
    const Row rows[] = {
        {"empty library", {}, u"Macro_001"},
        {"one macro", {u"Macro_001"}, u"Macro_002"},
        {"a gap is reused", {u"Macro_002", u"Macro_003"}, u"Macro_001"},
        {"comparison is exact", {u"macro_001", u"Macro_001 "}, u"Macro_001"},
        {"renamed macros do not count", {u"Fire", u"Macro_001"}, u"Macro_002"},
        {"tenth", nine, u"Macro_010"},
        {"thirty-second", thirtyOne, u"Macro_032"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        auto table = std::make_unique<MacroTable>();
        for (std::size_t i = 0; i < row.existing.size(); ++i)
            setMacroName((*table)[i], row.existing[i]);
        EXPECT_EQ(MakeNewMacroName(*table), row.expected);
    }
}

using MacroLibrarySession = SessionFixture;

TEST_F(MacroLibrarySession, NewAppendsAndReusesDeletedNames) {
    openWith({});
    EXPECT_EQ(session->macroCount(), 0);
    EXPECT_FALSE(session->selectedMacro());
    EXPECT_EQ(session->loopFieldText(), "");
    EXPECT_FALSE(session->loopMode());
    EXPECT_FALSE(session->delayMode());

    ASSERT_TRUE(session->newMacro());
    ASSERT_TRUE(session->newMacro());
    EXPECT_EQ(listed(*session), (std::vector<std::u16string>{u"Macro_001", u"Macro_002"}));
    EXPECT_EQ(session->selectedMacro(), 1);
    EXPECT_EQ(session->workingTable()[1].loopCount, 1);
    EXPECT_EQ(session->loopFieldText(), "1");

    session->selectMacro(0);
    session->deleteMacro();
    ASSERT_TRUE(session->newMacro());
    EXPECT_EQ(listed(*session), (std::vector<std::u16string>{u"Macro_002", u"Macro_001"}));
    EXPECT_EQ(session->selectedMacro(), 1);
    EXPECT_FALSE(session->workingTable()[2].named());
    EXPECT_EQ(*master, MacroTable{}) << "only the working copy changes";
}

TEST_F(MacroLibrarySession, NewStopsRecordingAndStartsFromCleanOptions) {
    openWith({u"Macro_001"});
    session->toggleDelayMode();
    session->toggleLoopMode();
    session->setLoopFieldText("7");
    session->toggleRecording();
    tap('A');
    ASSERT_TRUE(hook.installed);

    ASSERT_TRUE(session->newMacro());
    EXPECT_FALSE(session->recording());
    EXPECT_FALSE(session->hookActive());
    EXPECT_FALSE(hook.installed);
    EXPECT_FALSE(session->delayMode());
    EXPECT_FALSE(session->loopMode());
    EXPECT_EQ(session->loopFieldText(), "1");
    EXPECT_TRUE(session->lines().empty());
    EXPECT_EQ(session->buffer(), MacroEditBuffer{});
    const MacroRecord &created = session->workingTable()[1];
    EXPECT_EQ(created.nameView(), u"Macro_002");
    EXPECT_EQ(created.loopCount, 1);
    EXPECT_EQ(created.deviceEvents, MacroStream{});
    // The macro recorded before keeps what it got.
    EXPECT_EQ(head(session->workingTable()[0].hostEvents, 4), (std::vector<int>{0x01, 'A', 0x81, 'A'}));
}

TEST_F(MacroLibrarySession, NoMoreThanThirtyTwoMacros) {
    openWith({});
    for (int i = 0; i < 32; ++i)
        ASSERT_TRUE(session->newMacro());
    EXPECT_EQ(session->workingTable()[31].nameView(), u"Macro_032");
    const MacroTable before = session->workingTable();
    EXPECT_FALSE(session->newMacro());
    EXPECT_EQ(session->workingTable(), before);
    EXPECT_EQ(session->macroCount(), 32);
}

TEST_F(MacroLibrarySession, DeleteClosesTheGapAndSelectsANeighbour) {
    struct Row {
        const char *name;
        int macros;
        int selected;
        std::optional<int> selectedAfter;
        std::vector<std::u16string> namesAfter;
    };
    const Row rows[] = {
        {"first of three", 3, 0, 0, {u"Macro_002", u"Macro_003"}},
        {"middle of three", 3, 1, 1, {u"Macro_001", u"Macro_003"}},
        {"last of three", 3, 2, 1, {u"Macro_001", u"Macro_002"}},
        {"the only one", 1, 0, std::nullopt, {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        openWith({});
        for (int i = 0; i < row.macros; ++i)
            ASSERT_TRUE(session->newMacro());
        // Give every macro its own events so that a move is visible.
        for (int i = 0; i < row.macros; ++i) {
            session->selectMacro(i);
            session->toggleRecording();
            tap('A' + i);
            session->toggleRecording();
        }
        session->selectMacro(row.selected);
        session->deleteMacro();
        EXPECT_EQ(listed(*session), row.namesAfter);
        EXPECT_EQ(session->selectedMacro(), row.selectedAfter);
        EXPECT_FALSE(session->workingTable()[row.macros - 1].named()) << "the record after the last macro is free";
        EXPECT_EQ(session->workingTable()[row.macros - 1], MacroRecord{});
        for (int i = 0; i < session->macroCount(); ++i) {
            const int original = i < row.selected ? i : i + 1;
            EXPECT_EQ(session->workingTable()[i].hostEvents[1], 'A' + original) << i;
        }
        if (row.selectedAfter) {
            // The newly selected macro's events are in the list.
            const uint8_t vk = session->workingTable()[*row.selectedAfter].hostEvents[1];
            EXPECT_EQ(lineTexts(), (std::vector<std::string>{keyLineText(keys.name(vk), false),
                                                             keyLineText(keys.name(vk), true)}));
        } else {
            EXPECT_TRUE(session->lines().empty());
        }
    }
}

TEST_F(MacroLibrarySession, DeleteAsksFirstAndNeedsASelection) {
    struct Row {
        const char *name;
        Language language;
        bool answer;
        bool selected;
        std::vector<Shown> informed;
        int macrosAfter;
    };
    const Row rows[] = {
        {"cancelled", Language::English, false, true, {}, 2},
        {"confirmed", Language::English, true, true, {}, 1},
        {"nothing selected", Language::English, true, false,
         {{"Please select a Macro file to delete\n", "Macro Manager"}}, 2},
        {"nothing selected, Chinese", Language::Chinese, true, false, {{"请选择一个宏指令文件删除\n", "宏管理"}}, 2},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        prompts = ScriptedPrompts{};
        prompts.answer = row.answer;
        openWith({u"Macro_001", u"Macro_002"}, row.language);
        if (!row.selected)
            session->selectMacro(std::nullopt);
        session->deleteMacro();
        ASSERT_EQ(prompts.asked.size(), 1u);
        EXPECT_EQ(prompts.asked[0], row.language == Language::English ? (Shown{"Confirm to delete?", "Macro Manager"})
                                                                       : (Shown{"确认删除吗？", "宏管理"}));
        EXPECT_EQ(prompts.informed, row.informed);
        EXPECT_EQ(session->macroCount(), row.macrosAfter);
    }
}

TEST_F(MacroLibrarySession, DeleteStopsRecording) {
    openWith({u"Macro_001", u"Macro_002"});
    session->toggleRecording();
    ASSERT_TRUE(hook.installed);
    session->deleteMacro();
    EXPECT_FALSE(session->recording());
    EXPECT_FALSE(session->hookActive());
    EXPECT_FALSE(hook.installed);
    // Keys arriving afterwards are not recorded anywhere.
    tap('A');
    EXPECT_EQ(session->workingTable()[0].deviceEvents, MacroStream{});
}

TEST_F(MacroLibrarySession, RenameRefusesNamesThatDoNotFitTheirField) {
    struct Row {
        const char *name;
        std::u16string newName;
        bool accepted;
    };
    const Row rows[] = {
        {"ordinary", u"Fire combo", true},
        {"Chinese", u"火焰连招", true},
        {"254 units", std::u16string(254, u'n'), true},
        {"255 units", std::u16string(255, u'n'), false},
        {"far too long", std::u16string(1000, u'n'), false},
        {"empty", u"", false},
        {"null inside", std::u16string(u"ab\0cd", 5), false},
    };
    for (const Language language : {Language::English, Language::Chinese}) {
        for (const Row &row : rows) {
            SCOPED_TRACE(row.name);
            prompts = ScriptedPrompts{};
            openWith({u"Macro_001", u"Macro_002"}, language);
            const MacroRecord before = session->workingTable()[1];
            EXPECT_EQ(session->renameMacro(1, row.newName), row.accepted);
            const MacroRecord &after = session->workingTable()[1];
            if (row.accepted) {
                EXPECT_EQ(after.nameView(), row.newName);
                EXPECT_TRUE(prompts.informed.empty());
                EXPECT_EQ(after.name[row.newName.size()], u'\0');
            } else {
                EXPECT_EQ(after, before);
                ASSERT_EQ(prompts.informed.size(), 1u);
                EXPECT_EQ(prompts.informed[0],
                          language == Language::English
                              ? (Shown{"A macro name must have 1 to 254 characters.\n", "Macro Manager"})
                              : (Shown{"宏名称必须为1到254个字符。\n", "宏管理器"}));
            }
            EXPECT_EQ(session->macroCount(), 2) << "the macros after it stay listed";
        }
    }
}

TEST_F(MacroLibrarySession, RenamedMacroBecomesTheOneBeingEdited) {
    openWith({u"Macro_001", u"Macro_002"});
    (*master)[1].deviceEvents = streamOf({0x01, 0x05, 0x81, 0x05});
    (*master)[1].hostEvents = streamOf({0x01, 'B', 0x81, 'B'});
    session->open(*master);
    ASSERT_EQ(session->selectedMacro(), 0);
    ASSERT_TRUE(session->renameMacro(1, u"Second"));
    EXPECT_EQ(session->selectedMacro(), 1);
    EXPECT_EQ(lineTexts(), (std::vector<std::string>{"B  dn", "B  up"}));
    // An edit now lands in the renamed macro, not in the one selected before.
    session->selectLine(1);
    session->insertMouseKey(MouseButton::Left, MouseKeyAction::Click);
    EXPECT_EQ(session->workingTable()[0].deviceEvents, MacroStream{});
    EXPECT_EQ(head(session->workingTable()[1].hostEvents, 8),
              (std::vector<int>{0x01, 'B', 0x81, 'B', 0x01, 0xF0, 0x81, 0xF0}));
}

TEST_F(MacroLibrarySession, RenameReachesTheFileOnlyWithOk) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("quenlar-macro-rename-" + std::to_string(::getpid()) + ".bin");
    openWith({u"Macro_001"});
    ASSERT_TRUE(SaveMacroLibrary(file, *master, Language::English));

    // Cancel: the caller throws the working table away.
    ASSERT_TRUE(session->renameMacro(0, u"Jump"));
    session->close();
    EXPECT_EQ((*master)[0].nameView(), u"Macro_001");

    // OK: the caller copies the working table into the master table and saves it.
    session->open(*master);
    ASSERT_TRUE(session->renameMacro(0, u"Jump"));
    *master = session->accept();
    ASSERT_TRUE(SaveMacroLibrary(file, *master, Language::English));
    auto loaded = std::make_unique<MacroTable>();
    ASSERT_TRUE(LoadMacroLibrary(file, *loaded, Language::English));
    EXPECT_EQ((*loaded)[0].nameView(), u"Jump");
    std::filesystem::remove(file);
}

TEST_F(MacroLibrarySession, LoopCountFollowsTheLoopField) {
    openWith({u"Macro_001", u"Macro_002"});
    (*master)[0].loopCount = 0;
    (*master)[1].loopCount = 5;
    (*master)[1].delayFlag = 1;
    session->open(*master);
    // At opening, the first macro shows its stored count as it is.
    EXPECT_EQ(session->loopFieldText(), "0");
    EXPECT_FALSE(session->loopMode());

    session->selectMacro(1);
    EXPECT_EQ(session->loopFieldText(), "5");
    EXPECT_TRUE(session->loopMode());
    EXPECT_TRUE(session->delayMode());

    // Selected later, a stored 0 shows as 1 with looping off.
    session->selectMacro(0);
    EXPECT_EQ(session->loopFieldText(), "1");
    EXPECT_FALSE(session->loopMode());
    EXPECT_FALSE(session->delayMode());

    session->toggleLoopMode();
    session->setLoopFieldText("12");
    EXPECT_EQ(session->workingTable()[0].loopCount, 12);
    session->setLoopFieldText("");
    EXPECT_EQ(session->workingTable()[0].loopCount, 0);
    session->setLoopFieldText("999");
    session->toggleLoopMode();
    EXPECT_EQ(session->loopFieldText(), "1");
    EXPECT_EQ(session->workingTable()[0].loopCount, 1);

    // OK takes the loop field into the selected macro while looping is on.
    session->toggleLoopMode();
    session->setLoopFieldText("42");
    EXPECT_EQ(session->accept()[0].loopCount, 42);
}

TEST_F(MacroLibrarySession, OptionsAreStoredWithTheNextChange) {
    openWith({u"Macro_001"});
    session->toggleDelayMode();
    EXPECT_EQ(selectedRecord().delayFlag, 0) << "ticking the box alone writes nothing";
    session->toggleRecording();
    tap('A');
    EXPECT_EQ(selectedRecord().delayFlag, 1);
    EXPECT_EQ(selectedRecord().loopCount, 1);
}
