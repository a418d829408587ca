#include "profile/ProfileNames.h"

#include <gtest/gtest.h>

#include <set>

using namespace quenlar;

namespace {
// Everything that New would propose for the first n tries is taken.
NameTaken firstTaken(int n) {
    auto taken = std::make_shared<std::set<std::string>>();
    return [taken, n](const std::string &name) {
        if (static_cast<int>(taken->size()) < n) {
            taken->insert(name);
            return true;
        }
        return false;
    };
}
} // namespace

TEST(ProfileNames, NewNamesCountOnPastNine) {
    struct Row {
        int taken;
        const char *name;
    };
    const Row rows[] = {{0, "Profile_1"}, {8, "Profile_9"}, {9, "Profile010"}, {97, "Profile098"}, {98, "Profile99"},
                        {99, "Profile100"}};
    for (const auto &row : rows)
        EXPECT_EQ(makeProfileName(firstTaken(row.taken)), row.name) << row.taken << " taken";
}

TEST(ProfileNames, CopyNamesKeepTheDoubleBlank) {
    EXPECT_EQ(makeCopyName("Work", Language::English, firstTaken(0)), "Copy of  Work");
    EXPECT_EQ(makeCopyName("Work", Language::English, firstTaken(1)), "Copy of  Work 1");
    EXPECT_EQ(makeCopyName("Work", Language::English, firstTaken(3)), "Copy of  Work 3");
    EXPECT_EQ(makeCopyName("Work", Language::Chinese, firstTaken(0)), "复制  Work");
}

TEST(ProfileNames, ShownNameDropsEveryBin) {
    EXPECT_EQ(profileDisplayName("Work.bin"), "Work");
    EXPECT_EQ(profileDisplayName("old.bin.bin"), "old");
    EXPECT_EQ(profileDisplayName("my.binder.bin"), "myder");
    EXPECT_EQ(profileDisplayName("x.b.binin.bin"), "x.bin") << "one pass over the file name";
    EXPECT_EQ(profileFileName("Work"), "Work.bin");
    EXPECT_EQ(profileFileName("Work.bin"), "Work.bin");
    EXPECT_EQ(profileFileName("my.binder"), "my.binder.bin");
}
