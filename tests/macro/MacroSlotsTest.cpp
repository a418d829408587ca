// Packing the macro library into the keyboard's 32 macro slots.
#include "MacroTestSupport.h"

#include "macro/MacroSlots.h"

using namespace quenlar;
using namespace quenlar::test;

TEST(MacroSlots, NamedMacrosArePackedAndOtherSlotsKeepTheirBytes) {
    auto table = std::make_unique<MacroTable>();
    for (int i = 0; i < 3; ++i) {
        setMacroName((*table)[i], MakeNewMacroName(*table));
        (*table)[i].loopCount = static_cast<uint16_t>(0x0100 * i + 1);
        (*table)[i].deviceEvents = streamOf({0x01, 4 + i, 0x81, 4 + i});
        (*table)[i].hostEvents = streamOf({0x01, 'A' + i, 0x81, 'A' + i});
    }
    // A named record after a free one is not a macro and is not packed.
    setMacroName((*table)[4], u"stray");
    (*table)[4].deviceEvents = streamOf({0x01, 0x09});

    KeyboardState state;
    state.macroSlots.fill(0xCC);
    PackMacroSlots(*table, state);
    for (int m = 0; m < 3; ++m) {
        SCOPED_TRACE(m);
        const auto slot = state.macroSlot(m);
        EXPECT_EQ(std::vector<int>(slot.begin(), slot.begin() + 7),
                  (std::vector<int>{m, 1, 0x01, 4 + m, 0x81, 4 + m, 0}));
        EXPECT_TRUE(std::all_of(slot.begin() + 6, slot.end(), [](uint8_t b) { return b == 0; }));
    }
    for (int m = 3; m < 32; ++m) {
        const auto slot = state.macroSlot(m);
        EXPECT_TRUE(std::all_of(slot.begin(), slot.end(), [](uint8_t b) { return b == 0xCC; })) << m;
    }
}

TEST(MacroSlots, AtMostThirtyTwoMacrosReachTheKeyboard) {
    auto table = std::make_unique<MacroTable>();
    for (int i = 0; i < 40; ++i) {
        setMacroName((*table)[i], u"m");
        (*table)[i].loopCount = 2;
    }
    KeyboardState state;
    const KeyboardState before = state;
    PackMacroSlots(*table, state);
    EXPECT_EQ(state.macroSlot(31)[1], 2);
    // Nothing outside the 32 slots is touched.
    EXPECT_EQ(state.customLayers, before.customLayers);
    EXPECT_EQ(state.spareByte, before.spareByte);
    EXPECT_EQ(state.keyMatrix, before.keyMatrix);
}

TEST(MacroSlots, KeyBoundToAMacro) {
    EXPECT_EQ(macroKeyAction(7), (KeyAction{4, 1, 7, 0}));
}
