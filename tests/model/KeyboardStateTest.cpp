#include "model/KeyboardState.h"
#include "model/KeyboardStateFields.h"

#include <gtest/gtest.h>

using namespace quenlar;

TEST(KeyboardState, StartsAllZero) {
    KeyboardState state;
    for (uint8_t b : state.bytes())
        ASSERT_EQ(b, 0);
}

TEST(KeyboardState, TypedAccessLandsAtTheImageOffsets) {
    KeyboardState state;
    state.setKeyAction(105, {1, 2, 3, 4});
    state.macroSlot(31)[0] = 0xAA;
    state.macroSlot(31)[191] = 0xAB;
    state.customLayer(4)[0] = 0xBB;
    state.customLayer(4)[511] = 0xBC;
    state.presetColour(6)[2] = 0xCC;
    auto bytes = state.bytes();
    EXPECT_EQ(bytes[792 + 420], 1);
    EXPECT_EQ(bytes[792 + 423], 4);
    EXPECT_EQ(bytes[1304 + 5952], 0xAA);
    EXPECT_EQ(bytes[1304 + 6143], 0xAB);
    EXPECT_EQ(bytes[7496 + 2048], 0xBB);
    EXPECT_EQ(bytes[7496 + 2559], 0xBC);
    EXPECT_EQ(bytes[7455 + 20], 0xCC);
    EXPECT_EQ(state.keyAction(105), (KeyAction{1, 2, 3, 4}));
}

TEST(KeyboardState, EnableMaskBitsAreLeastSignificantFirst) {
    KeyboardState state;
    state.setEnableBit(120, true);
    EXPECT_EQ(state.keyEnableMask[15], 0x01);
    state.setEnableBit(143, true);
    EXPECT_EQ(state.keyEnableMask[17], 0x80);
    state.setEnableBit(120, false);
    EXPECT_EQ(state.keyEnableMask[15], 0x00);
    EXPECT_TRUE(state.enableBit(143));
}

TEST(KeyboardState, WinLockTravelsInBitOneAndIsReadFromBitEight) {
    KeyboardState state;
    state.keyEnableMask.fill(0xFF);
    state.winLock = 1;
    state.applyWinLockToMask();
    EXPECT_EQ(state.keyEnableMask[0], 0xFD);
    state.winLock = 0;
    state.applyWinLockToMask();
    EXPECT_EQ(state.keyEnableMask[0], 0xFF);

    // Reading: bit 8 decides, whatever bit 1 says.
    state.keyEnableMask[0] = 0x00;
    state.keyEnableMask[1] = 0x01;
    state.takeWinLockFromMask();
    EXPECT_EQ(state.winLock, 0);
    state.keyEnableMask[0] = 0xFF;
    state.keyEnableMask[1] = 0xFE;
    state.takeWinLockFromMask();
    EXPECT_EQ(state.winLock, 1);
}

TEST(KeyboardState, CommitAndRevertCopyTheWholeImage) {
    KeyboardImages images;
    images.working.lightBrightness = 40;
    images.working.customLayers[2559] = 7;
    EXPECT_NE(images.working, images.synced);
    images.commit();
    EXPECT_EQ(images.synced, images.working);
    images.working.lightBrightness = 1;
    images.revert();
    EXPECT_EQ(images.working.lightBrightness, 40);
    EXPECT_EQ(images.working.customLayers[2559], 7);
}

TEST(KeyboardStateFields, NamesFindTheirOffsetsAndSizes) {
    struct Row {
        const char *name;
        std::size_t offset, size;
    };
    const Row rows[] = {{"reportRate", 11, 1},       {"keyMatrix", 792, 512},   {"macroSlots", 1304, 6144},
                        {"lightEffect", 7450, 1},     {"presetColours", 7455, 21}, {"winLock", 7495, 1},
                        {"customLayers", 7496, 2560}};
    for (const auto &row : rows) {
        auto field = findKeyboardStateField(row.name);
        ASSERT_TRUE(field) << row.name;
        EXPECT_EQ(field->offset, row.offset) << row.name;
        EXPECT_EQ(field->size, row.size) << row.name;
    }
    EXPECT_FALSE(findKeyboardStateField("lightspeed"));
    EXPECT_EQ(keyboardStateFields().size(), 17u);
}
