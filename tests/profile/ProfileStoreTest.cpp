#include "profile/ProfileStore.h"

#include "keymap/KeymapFile.h"
#include "keymap/KeymapGolden.h"
#include "keymap/TempFolder.h"
#include "model/FileIo.h"
#include "profile/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <set>

using namespace quenlar;
using namespace quenlar::testing;
namespace fs = std::filesystem;

namespace {

// A whole profile whose bytes say which file they were written as.
std::vector<uint8_t> contentFor(const std::string &fileName) {
    std::vector<uint8_t> bytes(kKeymapFileSize, 0);
    std::copy(fileName.begin(), fileName.end(), bytes.begin());
    bytes.back() = static_cast<uint8_t>(fileName.size());
    return bytes;
}

class ProfileStoreTest : public ::testing::Test {
protected:
    ProfileStoreTest() { fillVirtualKeys(*records); }

    void addFiles(const std::vector<std::string> &names) {
        for (const auto &name : names)
            ASSERT_TRUE(writeFileAtomically(profiles / name, contentFor(name)));
    }
    ProfileStore &store(Language language = Language::English) {
        store_ = std::make_unique<ProfileStore>(profiles, language, prompts, state, *records);
        store_->reload();
        return *store_;
    }
    std::set<std::string> filesIn(const fs::path &folder) const {
        std::set<std::string> names;
        for (const auto &entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }
    std::vector<std::string> listed() const {
        std::vector<std::string> names;
        for (const auto &entry : store_->profiles())
            names.push_back(entry.name);
        return names;
    }

    TempFolder root{"quenlar-profiles"};
    fs::path profiles = root / "Configure";
    ScriptedPrompts prompts;
    KeyboardState state;
    std::unique_ptr<HostKeyRecords> records = std::make_unique<HostKeyRecords>();
    std::unique_ptr<ProfileStore> store_;
};

int indexIn(const ProfileStore &store, const std::string &name) {
    const auto &all = store.profiles();
    const auto it = std::find_if(all.begin(), all.end(), [&](const ProfileEntry &e) { return e.name == name; });
    return it == all.end() ? -1 : static_cast<int>(it - all.begin());
}

const std::vector<std::string> kSix = {"Profile_1.bin", "Profile_2.bin", "Profile_3.bin",
                                       "Profile_4.bin", "Profile_5.bin", "Profile_6.bin"};

struct Case {
    const char *name;
    std::vector<std::string> files;
    std::function<void(ProfileStore &)> act;
    std::set<std::string> filesAfter;
    std::vector<std::string> listAfter;
    std::vector<std::string> notices;
    Language language = Language::English;
    bool confirmAnswer = true;
};

void PrintTo(const Case &c, std::ostream *os) { *os << c.name; }

} // namespace

// The profile manager's commands: which files exist afterwards, what the list shows and what
// the user was told. Untouched files keep their bytes.
class ProfileCommandTest : public ProfileStoreTest, public ::testing::WithParamInterface<Case> {};

TEST_P(ProfileCommandTest, FilesListAndMessages) {
    const Case &c = GetParam();
    fs::create_directories(profiles);
    addFiles(c.files);
    prompts.confirmAnswer = c.confirmAnswer;
    ProfileStore &s = store(c.language);

    c.act(s);

    EXPECT_EQ(filesIn(profiles), c.filesAfter);
    EXPECT_EQ(listed(), c.listAfter);
    EXPECT_EQ(prompts.notices, c.notices);
    for (const auto &caption : prompts.captions)
        EXPECT_EQ(caption, c.language == Language::Chinese ? "配置管理" : "Profile");
    for (const auto &file : c.files) {
        if (c.filesAfter.count(file)) {
            EXPECT_EQ(readWholeFile(profiles / file), contentFor(file)) << file;
        }
    }
    EXPECT_EQ(filesIn(root.path()), std::set<std::string>{"Configure"}) << "nothing leaves the profile folder";
}

namespace {
auto select(const std::string &name, std::function<void(ProfileStore &, int)> command) {
    return [name, command](ProfileStore &s) {
        const int index = indexIn(s, name);
        ASSERT_GE(index, 0) << name << " is not listed";
        command(s, index);
    };
}
auto renameTo(const std::string &from, const std::string &to) {
    return select(from, [to](ProfileStore &s, int i) { s.renameProfile(i, to); });
}
auto noSelection(std::function<void(ProfileStore &, int)> command) {
    return [command](ProfileStore &s) { command(s, ProfileStore::kNoSelection); };
}
const auto kNew = [](ProfileStore &s) { s.newProfile(); };
const auto kCopy = [](ProfileStore &s, int i) { s.copyProfile(i); };
const auto kDelete = [](ProfileStore &s, int i) { s.deleteProfile(i); };
const auto kSave = [](ProfileStore &s, int i) { s.saveProfile(i); };
const auto kLoad = [](ProfileStore &s, int i) { s.loadProfile(i); };

std::set<std::string> sixAnd(std::initializer_list<std::string> more) {
    std::set<std::string> all(kSix.begin(), kSix.end());
    all.insert(more.begin(), more.end());
    return all;
}
const std::vector<std::string> kSixNames = {"Profile_1", "Profile_2", "Profile_3",
                                            "Profile_4", "Profile_5", "Profile_6"};
} // namespace

INSTANTIATE_TEST_SUITE_P(
    Profiles, ProfileCommandTest,
    ::testing::Values(
        Case{"new fills the first gap", {"Profile_1.bin", "Profile_2.bin", "Profile_4.bin"}, kNew,
             {"Profile_1.bin", "Profile_2.bin", "Profile_3.bin", "Profile_4.bin"},
             {"Profile_1", "Profile_2", "Profile_3", "Profile_4"}, {}},
        Case{"new with six profiles", kSix, kNew, sixAnd({}), kSixNames, {"Only Create Six Profile mostly\n"}},
        Case{"new with six profiles, in Chinese", kSix, kNew, sixAnd({}), kSixNames, {"最多可以存储6个配置\n"},
             Language::Chinese},
        Case{"copy with six profiles does nothing", kSix, select("Profile_1", kCopy), sixAnd({}), kSixNames, {}},
        Case{"copy without selection", {"Profile_1.bin"}, noSelection(kCopy), {"Profile_1.bin"}, {"Profile_1"},
             {"Please select a profile to copy\n"}},
        Case{"copy twice", {"Profile_1.bin"},
             [](ProfileStore &s) {
                 s.copyProfile(indexIn(s, "Profile_1"));
                 s.copyProfile(indexIn(s, "Profile_1"));
             },
             {"Profile_1.bin", "Copy of  Profile_1.bin", "Copy of  Profile_1 1.bin"},
             {"Copy of  Profile_1", "Copy of  Profile_1 1", "Profile_1"}, {}},
        Case{"copy in Chinese", {"Profile_1.bin"}, select("Profile_1", kCopy), {"Profile_1.bin", "复制  Profile_1.bin"},
             {"Profile_1", "复制  Profile_1"}, {}, Language::Chinese},
        Case{"delete the only profile", {"Profile_1.bin"}, select("Profile_1", kDelete), {"Profile_1.bin"},
             {"Profile_1"}, {"Please keep a profile\n"}},
        Case{"delete without selection", {"Profile_1.bin", "Profile_2.bin"}, noSelection(kDelete),
             {"Profile_1.bin", "Profile_2.bin"}, {"Profile_1", "Profile_2"}, {"Please select a profile to delete\n"}},
        Case{"delete confirmed", {"Profile_1.bin", "Profile_2.bin"}, select("Profile_2", kDelete), {"Profile_1.bin"},
             {"Profile_1"}, {}},
        Case{"delete cancelled", {"Profile_1.bin", "Profile_2.bin"}, select("Profile_2", kDelete),
             {"Profile_1.bin", "Profile_2.bin"}, {"Profile_1", "Profile_2"}, {}, Language::English, false},
        Case{"rename onto a listed profile changes nothing", {"Profile_1.bin", "Profile_2.bin"},
             renameTo("Profile_2", "Profile_1"), {"Profile_1.bin", "Profile_2.bin"}, {"Profile_1", "Profile_2"}, {}},
        Case{"rename to its own name", {"Profile_1.bin"}, renameTo("Profile_1", "Profile_1.bin"), {"Profile_1.bin"},
             {"Profile_1"}, {}},
        Case{"rename appends .bin", {"Profile_1.bin"}, renameTo("Profile_1", "Work"), {"Work.bin"}, {"Work"}, {}},
        Case{"rename keeps a typed .bin", {"Profile_1.bin"}, renameTo("Profile_1", "Work.bin"), {"Work.bin"}, {"Work"},
             {}},
        Case{"rename with .bin inside the name stays listed", {"Profile_1.bin"}, renameTo("Profile_1", "my.binder"),
             {"my.binder.bin"}, {"myder"}, {}},
        Case{"rename to ../x", {"Profile_1.bin"}, renameTo("Profile_1", "../x"), {"Profile_1.bin"}, {"Profile_1"},
             {"A profile name cannot contain \"/\", \"\\\" or \"..\"\n"}},
        Case{"rename to ..", {"Profile_1.bin"}, renameTo("Profile_1", ".."), {"Profile_1.bin"}, {"Profile_1"},
             {"A profile name cannot contain \"/\", \"\\\" or \"..\"\n"}},
        Case{"rename into a sub-folder", {"Profile_1.bin"}, renameTo("Profile_1", "sub/x"), {"Profile_1.bin"},
             {"Profile_1"}, {"A profile name cannot contain \"/\", \"\\\" or \"..\"\n"}},
        Case{"rename with a backslash, in Chinese", {"Profile_1.bin"}, renameTo("Profile_1", "a\\b"),
             {"Profile_1.bin"}, {"Profile_1"}, {"配置名称不能包含 \"/\"、\"\\\" 或 \"..\"\n"}, Language::Chinese},
        Case{"rename to nothing", {"Profile_1.bin"}, renameTo("Profile_1", ".bin"), {"Profile_1.bin"}, {"Profile_1"},
             {"Please enter a profile name\n"}},
        Case{"save without selection", {"Profile_1.bin"}, noSelection(kSave), {"Profile_1.bin"}, {"Profile_1"},
             {"Please select a profile to Save\n"}},
        Case{"load without selection", {"Profile_1.bin"}, noSelection(kLoad), {"Profile_1.bin"}, {"Profile_1"},
             {"Please select a profile to Open\n"}},
        Case{"load without selection, in Chinese", {"Profile_1.bin"}, noSelection(kLoad), {"Profile_1.bin"},
             {"Profile_1"}, {"请选择一个配置打开"}, Language::Chinese},
        Case{"only .bin files are profiles", {"notes.txt", "Profile_1.bin", "Profile_1.BIN", "binary"}, kNew,
             {"notes.txt", "Profile_1.bin", "Profile_1.BIN", "binary", "Profile_2.bin"}, {"Profile_1", "Profile_2"},
             {}}),
    [](const ::testing::TestParamInfo<Case> &info) {
        std::string name;
        for (char ch : std::string(info.param.name))
            name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

TEST_F(ProfileStoreTest, GoldenProfileLoadsIntoTheFieldsAndSavesBackByteForByte) {
    fs::create_directories(profiles);
    addFiles({"Work.bin"});
    const auto golden = goldenKeymapFile();
    const fs::path chosen = root / "from-another-computer.bin";
    ASSERT_TRUE(writeFileAtomically(chosen, golden));
    ProfileStore &s = store();
    prompts.openAnswer = chosen;

    s.loadProfile(0);

    EXPECT_EQ(prompts.filters, std::vector<std::string>{"bin Files(*.bin)"});
    EXPECT_EQ(state.reportRate, 2);
    EXPECT_EQ(state.lightEffect, 51);
    EXPECT_EQ(state.keyAction(keyAt(0).matrixSlot()), (KeyAction{0, 0, 0x3A, 0}));
    EXPECT_EQ(state.customLayer(4)[511], 0x99);
    EXPECT_EQ(records->at(1).category, 7);
    EXPECT_EQ(records->at(1).actionPathText(), kGoldenFolder);
    EXPECT_EQ(records->at(254).keyData[8], 0xEE);
    EXPECT_EQ(readWholeFile(profiles / "Work.bin"), golden);

    const fs::path exported = root / "exported.bin";
    prompts.saveAnswer = exported;
    s.saveProfile(0);
    EXPECT_EQ(prompts.suggestedNames, std::vector<std::string>{"Work.bin"});
    EXPECT_EQ(readWholeFile(exported), golden);
    EXPECT_EQ(readWholeFile(profiles / "Work.bin"), golden);
    EXPECT_TRUE(prompts.notices.empty());
}

TEST_F(ProfileStoreTest, NewProfileHoldsAZeroStateAndLoadingItKeepsTheRecords) {
    ProfileStore &s = store();
    EXPECT_FALSE(fs::exists(profiles)) << "reading never creates the folder";
    s.newProfile();
    ASSERT_EQ(s.profiles().size(), 1u);
    EXPECT_EQ(readWholeFile(profiles / "Profile_1.bin"), std::vector<uint8_t>(10056, 0));

    state.lightEffect = 5;
    state.keyEnableMask.fill(0xFF);
    records->at(3).category = 5;
    records->at(3).setActionPath(u"/opt/game");
    prompts.openAnswer = profiles / "Profile_1.bin";
    s.loadProfile(0);

    EXPECT_EQ(state, KeyboardState{});
    EXPECT_EQ(records->at(3).category, 5);
    EXPECT_EQ(records->at(3).actionPathText(), u"/opt/game");
    const auto written = readWholeFile(profiles / "Profile_1.bin");
    ASSERT_TRUE(written);
    EXPECT_EQ(written->size(), 206916u);
    EXPECT_EQ(*written, keymapFileBytes(state, *records));
}

TEST_F(ProfileStoreTest, CancelledLoadChangesNothing) {
    fs::create_directories(profiles);
    addFiles({"Work.bin"});
    ProfileStore &s = store();
    state.lightEffect = 5;
    const KeyboardState before = state;

    s.loadProfile(0);

    EXPECT_EQ(state, before);
    EXPECT_EQ(readWholeFile(profiles / "Work.bin"), contentFor("Work.bin")) << "the profile is not overwritten";
}

TEST_F(ProfileStoreTest, DamagedFilesLoadWhatTheyHold) {
    std::mt19937 random(6102);
    auto randomBytes = [&](std::size_t n) {
        std::vector<uint8_t> bytes(n);
        for (auto &b : bytes)
            b = static_cast<uint8_t>(random());
        return bytes;
    };
    struct Row {
        const char *name;
        std::vector<uint8_t> bytes;
    };
    const Row rows[] = {
        {"empty", {}},
        {"truncated inside the state", randomBytes(777)},
        {"truncated inside the records", randomBytes(10056 + 772 * 3 + 5)},
        {"random", randomBytes(206916)},
        {"oversized", randomBytes(300000)},
    };
    fs::create_directories(profiles);
    addFiles({"Work.bin"});
    ProfileStore &s = store();
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        state = KeyboardState{};
        state.lightEffect = 13;
        *records = HostKeyRecords{};
        records->at(120).keyCount = 2;
        const KeyboardState before = state;
        const fs::path chosen = root / "damaged.bin";
        ASSERT_TRUE(writeFileAtomically(chosen, row.bytes));
        prompts.openAnswer = chosen;

        s.loadProfile(0);

        const std::size_t inState = std::min<std::size_t>(row.bytes.size(), 10056);
        EXPECT_TRUE(std::equal(row.bytes.begin(), row.bytes.begin() + inState, state.bytes().begin()));
        EXPECT_TRUE(std::equal(state.bytes().begin() + inState, state.bytes().end(), before.bytes().begin() + inState));
        if (row.bytes.size() < 10056 + 772 * 120) {
            EXPECT_EQ(records->at(120).keyCount, 2) << "what the file lacks stays as it was";
        }
        for (int i = 0; i < kKeyCount; ++i)
            ASSERT_EQ(records->at(i).virtualKey, keyAt(i).virtualKey);
        EXPECT_EQ(readWholeFile(profiles / "Work.bin"), keymapFileBytes(state, *records));
    }
    EXPECT_TRUE(prompts.notices.empty());
}

TEST_F(ProfileStoreTest, FileThatCannotBeReadIsReportedAndChangesNothing) {
    fs::create_directories(profiles);
    addFiles({"Work.bin"});
    ProfileStore &s = store();
    prompts.openAnswer = root / "vanished.bin";
    const KeyboardState before = state;
    s.loadProfile(0);
    EXPECT_EQ(state, before);
    ASSERT_EQ(prompts.notices.size(), 1u);
    EXPECT_EQ(prompts.notices[0].rfind("Cannot read the profile file\n", 0), 0u);
    EXPECT_EQ(readWholeFile(profiles / "Work.bin"), contentFor("Work.bin"));

    prompts.openAnswer = root.path();   // a folder
    s.loadProfile(0);
    EXPECT_EQ(state, before);
    ASSERT_EQ(prompts.notices.size(), 2u);
    EXPECT_EQ(prompts.notices[1].rfind("Cannot read the profile file\n", 0), 0u);
    EXPECT_EQ(readWholeFile(profiles / "Work.bin"), contentFor("Work.bin"));

    fs::remove(profiles / "Work.bin");   // gone between the listing and the copy
    s.copyProfile(0);
    EXPECT_EQ(prompts.notices.size(), 3u);
    EXPECT_TRUE(filesIn(profiles).empty());
}

TEST_F(ProfileStoreTest, CopyIsAlwaysAWholeConfiguration) {
    fs::create_directories(profiles);
    std::vector<uint8_t> shortProfile(10056 + 100);
    for (std::size_t i = 0; i < shortProfile.size(); ++i)
        shortProfile[i] = static_cast<uint8_t>(i * 7 + 1);
    ASSERT_TRUE(writeFileAtomically(profiles / "Short.bin", shortProfile));
    std::vector<uint8_t> longProfile(206916 + 50, 0x3C);
    ASSERT_TRUE(writeFileAtomically(profiles / "Long.bin", longProfile));
    ProfileStore &s = store();

    s.copyProfile(indexIn(s, "Short"));
    s.copyProfile(indexIn(s, "Long"));

    auto expected = shortProfile;
    expected.resize(206916, 0);
    EXPECT_EQ(readWholeFile(profiles / "Copy of  Short.bin"), expected);
    longProfile.resize(206916);
    EXPECT_EQ(readWholeFile(profiles / "Copy of  Long.bin"), longProfile);
}

TEST_F(ProfileStoreTest, RenameMovesTheProfilesBytes) {
    fs::create_directories(profiles);
    addFiles({"Profile_1.bin", "Profile_2.bin"});
    ProfileStore &s = store();
    s.renameProfile(indexIn(s, "Profile_2"), "Work");
    EXPECT_EQ(filesIn(profiles), (std::set<std::string>{"Profile_1.bin", "Work.bin"}));
    EXPECT_EQ(readWholeFile(profiles / "Work.bin"), contentFor("Profile_2.bin"));
    EXPECT_TRUE(prompts.notices.empty());
}

// Only six profiles are listed; the files beyond them are never overwritten by a command.
TEST_F(ProfileStoreTest, FilesBeyondTheSixListedAreNeverOverwritten) {
    fs::create_directories(profiles);
    addFiles({"Profile_1.bin", "Profile_2.bin", "Profile_3.bin", "Profile_4.bin", "Profile_5.bin", "Profile_6.bin",
              "Profile_7.bin"});
    ProfileStore &s = store();
    ASSERT_EQ(s.profiles().size(), 6u);
    EXPECT_EQ(s.profileCount(), 7);
    std::string hidden;
    for (int i = 1; i <= 7; ++i) {
        const std::string name = "Profile_" + std::to_string(i);
        if (indexIn(s, name) < 0)
            hidden = name;
    }
    ASSERT_FALSE(hidden.empty());

    s.renameProfile(hidden == "Profile_1" ? 1 : 0, hidden);
    ASSERT_EQ(prompts.notices, std::vector<std::string>{"A profile file of this name already exists\n"});
    for (int i = 1; i <= 7; ++i) {
        const std::string file = "Profile_" + std::to_string(i) + ".bin";
        EXPECT_EQ(readWholeFile(profiles / file), contentFor(file)) << file;
    }
}

TEST_F(ProfileStoreTest, NewNeverTakesTheNameOfSomethingInTheFolder) {
    fs::create_directories(profiles / "Profile_1.bin");   // a folder is not a profile
    ProfileStore &s = store();
    ASSERT_TRUE(s.profiles().empty());
    s.newProfile();
    EXPECT_TRUE(prompts.notices.empty());
    EXPECT_EQ(filesIn(profiles), (std::set<std::string>{"Profile_1.bin", "Profile_2.bin"}));
    EXPECT_TRUE(fs::is_directory(profiles / "Profile_1.bin"));
}

TEST_F(ProfileStoreTest, EightFilesShowSix) {
    fs::create_directories(profiles);
    addFiles({"A.bin", "B.bin", "C.bin", "D.bin", "E.bin", "F.bin", "G.bin", "H.bin"});
    ProfileStore &s = store();
    EXPECT_EQ(s.profiles().size(), 6u);
    EXPECT_EQ(s.profileCount(), 7);
    EXPECT_TRUE(std::is_sorted(s.profiles().begin(), s.profiles().end(),
                               [](const ProfileEntry &a, const ProfileEntry &b) { return a.name < b.name; }));
}

TEST_F(ProfileStoreTest, ProfileActsOnTheFileItWasListedFrom) {
    fs::create_directories(profiles);
    addFiles({"old.bin.bin", "x.bin"});
    ProfileStore &s = store();
    ASSERT_EQ(indexIn(s, "old"), 0);

    s.copyProfile(0);
    EXPECT_EQ(readWholeFile(profiles / "Copy of  old.bin"), contentFor("old.bin.bin"));
    s.deleteProfile(indexIn(s, "old"));
    EXPECT_EQ(filesIn(profiles), (std::set<std::string>{"Copy of  old.bin", "x.bin"}));
}

TEST_F(ProfileStoreTest, MissingFolderIsCreatedAtTheFirstNewProfile) {
    ProfileStore &s = store();
    EXPECT_TRUE(s.profiles().empty());
    s.newProfile();
    EXPECT_EQ(filesIn(profiles), std::set<std::string>{"Profile_1.bin"});
    EXPECT_TRUE(prompts.notices.empty());
}

TEST_F(ProfileStoreTest, WriteFailuresAreReported) {
    fs::create_directories(profiles);
    addFiles({"Work.bin"});
    ProfileStore &s = store();

    prompts.saveAnswer = root / "no-such-folder" / "export.bin";
    s.saveProfile(0);
    ASSERT_EQ(prompts.notices.size(), 1u);
    EXPECT_EQ(prompts.notices[0].rfind("Cannot save the profile file\n", 0), 0u);
    EXPECT_EQ(readWholeFile(profiles / "Work.bin"), keymapFileBytes(state, *records)) << "the profile itself is saved";

    fs::remove_all(profiles);   // the folder vanished while the manager was open
    prompts.saveAnswer.reset();
    s.saveProfile(0);
    ASSERT_EQ(prompts.notices.size(), 2u);
    EXPECT_EQ(prompts.notices[1].rfind("Cannot save the profile file\n", 0), 0u);
}
