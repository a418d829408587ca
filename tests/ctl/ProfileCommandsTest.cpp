// The profile commands leave the same files as the profile manager: every step runs once through
// quenlar-ctl and once through the ProfileStore driven as the dialog drives it, on twin folders.

#include "CtlRunner.h"
#include "profile/ScriptedPrompts.h"

#include "keymap/KeymapFile.h"
#include "profile/ProfileMessages.h"
#include "profile/ProfileStore.h"

#include <functional>

using namespace quenlar;
using namespace quenlar::testing;
namespace fs = std::filesystem;

namespace {

// The profile manager over a data folder, as the window opens it: the working configuration is
// what keymap.bin holds, and after the dialog the refresh saves keymap.bin again.
class ManagerTwin {
public:
    explicit ManagerTwin(fs::path dataDir) : dataDir_(std::move(dataDir)) {}

    void step(const std::function<void(ProfileStore &, ScriptedPrompts &)> &action) {
        KeyboardState working;
        auto records = std::make_unique<HostKeyRecords>();
        ASSERT_TRUE(loadKeymapFile(dataDir_ / "keymap.bin", KeymapLoadMode::Full, working, *records, Language::English));
        ScriptedPrompts prompts;
        ProfileStore store(dataDir_ / "Configure", Language::English, prompts, working, *records);
        store.reload();
        action(store, prompts);
        ASSERT_TRUE(saveKeymapFile(dataDir_ / "keymap.bin", working, *records, Language::English));
    }

    static int indexOf(const ProfileStore &store, const std::string &name) {
        for (std::size_t i = 0; i < store.profiles().size(); ++i)
            if (store.profiles()[i].name == name)
                return static_cast<int>(i);
        ADD_FAILURE() << "no profile " << name;
        return ProfileStore::kNoSelection;
    }

private:
    fs::path dataDir_;
};

TEST(ProfileCommands, LeaveTheSameFilesAsTheProfileManager) {
    CtlFixtureFolders folders;
    ASSERT_EQ(folders.run({"assign", "F1", "key", "LCtrl"}).status, 0);
    const fs::path twinData = folders.root / "twin-data";
    fs::copy(folders.dataDir, twinData, fs::copy_options::recursive);
    ManagerTwin twin(twinData);
    // A file made by New elsewhere: 10056 zero bytes, to be loaded.
    const fs::path shortFile = folders.root / "short.bin";
    writeText(shortFile, std::string(kKeyboardStateSize, '\0'));
    const fs::path myExport = folders.root / "mine-export.bin", twinExport = folders.root / "twin-export.bin";

    struct Step {
        std::vector<std::string> args;
        std::function<void(ProfileStore &, ScriptedPrompts &)> manager;
    };
    using Twin = ManagerTwin;
    const std::vector<Step> steps = {
        {{"profile", "new"}, [](ProfileStore &s, ScriptedPrompts &) { s.newProfile(); }},
        {{"profile", "new"}, [](ProfileStore &s, ScriptedPrompts &) { s.newProfile(); }},
        {{"profile", "copy", "Profile_1"},
         [](ProfileStore &s, ScriptedPrompts &) { s.copyProfile(Twin::indexOf(s, "Profile_1")); }},
        {{"profile", "rename", "Profile_2", "Work"},
         [](ProfileStore &s, ScriptedPrompts &) { s.renameProfile(Twin::indexOf(s, "Profile_2"), "Work"); }},
        {{"profile", "save", "Work", "--export=" + myExport.string()},
         [&](ProfileStore &s, ScriptedPrompts &p) {
             p.saveAnswer = twinExport;
             s.saveProfile(Twin::indexOf(s, "Work"));
         }},
        {{"profile", "load", "Work", "--from=" + shortFile.string()},
         [&](ProfileStore &s, ScriptedPrompts &p) {
             p.openAnswer = shortFile;
             s.loadProfile(Twin::indexOf(s, "Work"));
         }},
        {{"profile", "load", "Copy of  Profile_1"},
         [&](ProfileStore &s, ScriptedPrompts &p) {
             const int index = Twin::indexOf(s, "Copy of  Profile_1");
             p.openAnswer = s.profiles()[index].file;
             s.loadProfile(index);
         }},
        {{"--yes", "profile", "delete", "Profile_1"},
         [](ProfileStore &s, ScriptedPrompts &p) {
             p.confirmAnswer = true;
             s.deleteProfile(Twin::indexOf(s, "Profile_1"));
         }},
    };
    for (const auto &step : steps) {
        const auto outcome = folders.run(step.args);
        ASSERT_EQ(outcome.status, 0) << step.args[1] << ": " << outcome.err;
        twin.step(step.manager);
        ASSERT_TRUE(folderContents(folders.dataDir) == folderContents(twinData)) << "after profile " << step.args[1];
    }
    EXPECT_EQ(readText(myExport), readText(twinExport));
    EXPECT_EQ(readText(myExport).size(), kKeymapFileSize);
    const auto list = folders.run({"profile", "list"});
    EXPECT_EQ(list.out, "Copy of  Profile_1\nWork\n");
}

struct RefusedProfileCommand {
    const char *name;
    int existing;  // profiles made first
    std::vector<std::string> args;
    std::string message;
    friend void PrintTo(const RefusedProfileCommand &row, std::ostream *out) { *out << row.name; }
};

class RefusedProfileCommands : public ::testing::TestWithParam<RefusedProfileCommand> {};

TEST_P(RefusedProfileCommands, SayWhyAndChangeNoFile) {
    CtlFixtureFolders folders;
    for (int i = 0; i < GetParam().existing; ++i)
        ASSERT_EQ(folders.run({"profile", "new"}).status, 0);
    ASSERT_EQ(folders.run({"macro", "new"}).status, 0);  // so that keymap.bin exists
    const auto files = folderContents(folders.dataDir);
    const auto outcome = folders.run(GetParam().args);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(lineCount(outcome.err), 1) << outcome.err;
    EXPECT_NE(outcome.err.find(GetParam().message), std::string::npos) << outcome.err;
    EXPECT_TRUE(folderContents(folders.dataDir) == files) << "files changed";
}


INSTANTIATE_TEST_SUITE_P(
    Ctl, RefusedProfileCommands,
    ::testing::Values(
        RefusedProfileCommand{"SeventhNew", 6, {"profile", "new"}, "Only Create Six Profile mostly"},
        RefusedProfileCommand{"CopyWithSix", 6, {"profile", "copy", "Profile_1"}, "Only Create Six Profile mostly"},
        RefusedProfileCommand{"DeleteTheLastOne", 1, {"--yes", "profile", "delete", "Profile_1"}, "Please keep a profile"},
        RefusedProfileCommand{"DeleteUnconfirmed", 2, {"profile", "delete", "Profile_1"}, "Delete current profile ?"},
        RefusedProfileCommand{"RenameOutOfTheFolder", 1, {"profile", "rename", "Profile_1", "../evil"}, "\"..\""},
        RefusedProfileCommand{"RenameToAListedName", 2, {"profile", "rename", "Profile_1", "Profile_2"}, "exists already"},
        RefusedProfileCommand{"UnknownProfile", 1, {"profile", "save", "Profile_9"}, "no profile called"},
        RefusedProfileCommand{"LoadFromAMissingFile", 1, {"profile", "load", "Profile_1", "--from=/nonexistent/x.bin"},
                              "x.bin"}),
    [](const ::testing::TestParamInfo<RefusedProfileCommand> &info) { return std::string(info.param.name); });

} // namespace
