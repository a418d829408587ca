#include "model/KeyNameTable.h"

#include <gtest/gtest.h>

using namespace quenlar;

TEST(KeyNameTable, Lookups) {
    struct Row {
        int vk;
        int usage;
        const char *name;
    };
    const Row rows[] = {
        {65, 4, "A "},        {90, 29, "Z "},          {48, 39, "0"},          {49, 30, "1 "},
        {57, 38, "9 "},       {112, 58, "F1 "},        {123, 69, "F12 "},      {13, 40, "Enter "},
        {108, 88, "Enter "},  {189, 45, "- "},         {109, 86, "- "},        {181, 131, "Media "},
        {95, 0, ""},          {179, 205, "Play/Pause"}, {220, 50, "\\ "},      {243, 243, ""},
        {249, 249, "Mouse Wheel Down"}, {247, 247, "Mouse pointer Down"},      {0, 0, ""},
        {255, 0, ""},
    };
    KeyNameTable table;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.vk);
        EXPECT_EQ(table.usage(static_cast<uint8_t>(row.vk)), row.usage);
        EXPECT_EQ(table.name(static_cast<uint8_t>(row.vk)), row.name);
        EXPECT_EQ(table.entry(static_cast<uint8_t>(row.vk)).vk, row.vk);
    }
}
