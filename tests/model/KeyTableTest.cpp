#include "model/KeyTable.h"

#include <gtest/gtest.h>

using namespace quenlar;

TEST(KeyTable, EscapeKeyPositions) {
    const auto &esc = keyAt(0);
    EXPECT_EQ(esc.label, "Esc");
    EXPECT_EQ(esc.matrixSlot(), 105);
    EXPECT_EQ(esc.ledOffset, 20);
    EXPECT_EQ(esc.enableBit, 120);
    EXPECT_EQ(esc.defaultAction, (KeyAction{0, 0, 41, 0}));
}

TEST(KeyTable, FactsOfSingleKeys) {
    EXPECT_EQ(keyAt(96).enableBit, 1);                            // Win: the bit the lock clears
    EXPECT_EQ(keyAt(17).defaultAction, (KeyAction{3, 0, 131, 1})); // Player: consumer usage 0x0183
    EXPECT_EQ(keyAt(100).defaultAction, (KeyAction{2, 0, 0, 0}));  // Fn
    EXPECT_EQ(keyAt(100).virtualKey, 93);
    EXPECT_EQ(keyAt(101).virtualKey, 93);
    EXPECT_EQ(keyAt(112).enableBit, 37);
    EXPECT_EQ(keyAt(111).enableBit, 37);
}

TEST(KeyTable, DerivedRulesHoldForEveryKey) {
    for (int i = 0; i < kKeyCount; ++i) {
        const auto &key = keyAt(i);
        SCOPED_TRACE(i);
        if (i != 112) {
            EXPECT_EQ(key.enableBit, key.matrixRow() * 24 + key.matrixColumn());
        }
        if (i == 16)
            EXPECT_EQ(key.ledOffset, 44);
        else if (i == 54)
            EXPECT_EQ(key.ledOffset, 320);
        else if (i == 74)
            EXPECT_EQ(key.ledOffset, 296);
        else
            EXPECT_EQ(key.ledOffset, key.matrixCode);
        EXPECT_LT(key.matrixSlot(), kMatrixSlots);
    }
}

TEST(KeyTable, KeysWithoutRectanglesAreExactlyTheHiddenOnes) {
    const int hidden[] = {17, 18, 19, 37, 38, 39, 40, 58, 59, 60, 61, 75, 76, 77,
                          91, 92, 93, 94, 106, 107, 108, 109, 110, 111, 112};
    int count = 0;
    for (int i = 0; i < kKeyCount; ++i)
        if (!keyAt(i).onPicture())
            ++count;
    EXPECT_EQ(count, static_cast<int>(std::size(hidden)));
    for (int i : hidden)
        EXPECT_FALSE(keyAt(i).onPicture()) << i;
}

TEST(KeyTable, DefaultKeyMatrixIsRowMajorFromTheColumnMajorTable) {
    auto matrix = defaultKeyMatrix();
    // Esc: slot 105 -> bytes 420..423.
    EXPECT_EQ(matrix[420], 0);
    EXPECT_EQ(matrix[422], 41);
    // Player: row 5, column 18 -> slot 123.
    EXPECT_EQ(matrix[4 * 123], 3);
    EXPECT_EQ(matrix[4 * 123 + 2], 131);
    EXPECT_EQ(matrix[4 * 123 + 3], 1);
    // Every key's slot holds its default action; the 8 spare bytes are zero.
    for (const auto &key : keyTable()) {
        const int s = key.matrixSlot();
        EXPECT_EQ((KeyAction{matrix[4 * s], matrix[4 * s + 1], matrix[4 * s + 2], matrix[4 * s + 3]}),
                  key.defaultAction);
    }
    for (int i = 504; i < 512; ++i)
        EXPECT_EQ(matrix[i], 0);
}
