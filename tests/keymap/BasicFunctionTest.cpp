#include "keymap/BasicFunction.h"

#include "keymap/AssignmentCategory.h"

#include <gtest/gtest.h>

using namespace quenlar;

TEST(BasicFunction, NamesAreMatchedExactlyInTheInterfaceLanguage) {
    struct Row {
        const char *name;
        Language language;
        bool found;
        KeyAction action;
    };
    const Row rows[] = {
        {"Task Management", Language::English, true, {0, 0xE0, 0xE2, 0x4C}},
        {"任务管理器", Language::Chinese, true, {0, 0xE0, 0xE2, 0x4C}},
        {"Homepage", Language::English, true, {3, 0, 0x23, 0x02}},
        {"浏览器-主页", Language::Chinese, true, {3, 0, 0x23, 0x02}},
        {"Media Player", Language::English, true, {3, 0, 0x83, 0x01}},
        {"Max", Language::English, true, {0, 0xE2, 0x2C, 0x1B}},
        {"Search", Language::English, true, {0, 0xE3, 0x09, 0}},
        {"Close", Language::English, true, {0, 0xE2, 0x3D, 0}},
        {"任务管理器", Language::English, false, {}},
        {"Task Management", Language::Chinese, false, {}},
        {"task management", Language::English, false, {}},
        {"Media", Language::English, false, {}},   // a group, not a function
        {"", Language::English, false, {}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const auto function = findBasicFunction(row.name, row.language);
        ASSERT_EQ(function.has_value(), row.found);
        if (row.found) {
            EXPECT_EQ(function->action, row.action);
            EXPECT_EQ(findBasicFunction(row.action)->englishName, function->englishName);
        }
    }
}

TEST(BasicFunction, CatalogueKeepsTheTreeOrderAndGroups) {
    const auto all = basicFunctions();
    ASSERT_EQ(all.size(), 23u);
    EXPECT_EQ(all.front().englishName, "Search");
    EXPECT_EQ(all[2].group(Language::Chinese), "多媒体");
    EXPECT_EQ(all[10].group(Language::Chinese), "快捷健");
    EXPECT_EQ(all.back().englishName, "Close");
    EXPECT_EQ(all.back().group(Language::English), "Windows");
    EXPECT_FALSE(findBasicFunction(KeyAction{0, 0, 0x3A, 0}));
}

TEST(AssignmentCategory, LabelsInBothLanguages) {
    EXPECT_EQ(categoryLabel(AssignmentCategory::OpenFolder, Language::English), "Open Folder");
    EXPECT_EQ(categoryLabel(AssignmentCategory::OpenFolder, Language::Chinese), "打开目录");
    EXPECT_EQ(categoryLabel(AssignmentCategory::Combine, Language::Chinese), "组合键");
    EXPECT_TRUE(categoryLabel(AssignmentCategory::RestoreKey, Language::English).empty());
    EXPECT_EQ(pageTitle(AssignmentPage::Advance, Language::Chinese), "高级功能");
    EXPECT_EQ(pageTitle(AssignmentPage::SingleCombine, Language::English), "Single/Combine");
}
