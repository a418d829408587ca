// The key capture's translation of Qt keys and X11 key symbols into the virtual-key codes the
// key names and the key table use.
#include "platform/KeyCapture.h"

#include "model/KeyNameTable.h"

#include <gtest/gtest.h>

using namespace quenlar;

namespace {

struct KeyRow {
    const char *name;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    uint32_t keysym;
    int expected; // -1: no code
};

class KeyTranslation : public ::testing::TestWithParam<KeyRow> {};

TEST_P(KeyTranslation, GivesTheVirtualKey) {
    const KeyRow &row = GetParam();
    const auto vk = windowsVirtualKey(row.qtKey, row.modifiers, row.keysym);
    if (row.expected < 0)
        EXPECT_FALSE(vk.has_value());
    else
        EXPECT_EQ(vk, std::optional<uint8_t>(static_cast<uint8_t>(row.expected)));
}

const Qt::KeyboardModifiers kNone = Qt::NoModifier;
const Qt::KeyboardModifiers kPad = Qt::KeypadModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTranslation,
    ::testing::Values(
        KeyRow{"LetterA", Qt::Key_A, kNone, 0x61, 'A'}, KeyRow{"LetterZShifted", Qt::Key_Z, Qt::ShiftModifier, 0x5A, 'Z'},
        KeyRow{"Digit5", Qt::Key_5, kNone, 0x35, '5'}, KeyRow{"ShiftedDigitIsItsKey", Qt::Key_Exclam, Qt::ShiftModifier, 0x21, '1'},
        KeyRow{"F5", Qt::Key_F5, kNone, 0xFFC2, 0x74}, KeyRow{"F12", Qt::Key_F12, kNone, 0xFFC9, 0x7B},
        KeyRow{"Escape", Qt::Key_Escape, kNone, 0xFF1B, 0x1B}, KeyRow{"Return", Qt::Key_Return, kNone, 0xFF0D, 0x0D},
        KeyRow{"Backtab", Qt::Key_Backtab, Qt::ShiftModifier, 0xFE20, 0x09},
        // Left and right modifiers, told apart by the key symbol.
        KeyRow{"LeftShift", Qt::Key_Shift, kNone, 0xFFE1, 0xA0}, KeyRow{"RightShift", Qt::Key_Shift, kNone, 0xFFE2, 0xA1},
        KeyRow{"LeftControl", Qt::Key_Control, kNone, 0xFFE3, 0xA2}, KeyRow{"RightControl", Qt::Key_Control, kNone, 0xFFE4, 0xA3},
        KeyRow{"LeftAlt", Qt::Key_Alt, kNone, 0xFFE9, 0xA4}, KeyRow{"RightAlt", Qt::Key_Alt, kNone, 0xFFEA, 0xA5},
        KeyRow{"AltGr", Qt::Key_AltGr, kNone, 0xFE03, 0xA5}, KeyRow{"LeftSuper", Qt::Key_Super_L, kNone, 0xFFEB, 0x5B},
        KeyRow{"RightSuper", Qt::Key_Super_R, kNone, 0xFFEC, 0x5C}, KeyRow{"Menu", Qt::Key_Menu, kNone, 0xFF67, 0x5D},
        // Without a key symbol a modifier counts as the left one.
        KeyRow{"ShiftWithoutSymbol", Qt::Key_Shift, kNone, 0, 0xA0},
        KeyRow{"ControlWithoutSymbol", Qt::Key_Control, kNone, 0, 0xA2},
        // The keypad's own codes, with Num Lock on and off and without a key symbol.
        KeyRow{"Keypad7", Qt::Key_7, kPad, 0xFFB7, 0x67}, KeyRow{"Keypad7NumLockOff", Qt::Key_Home, kPad, 0xFF95, 0x67},
        KeyRow{"Keypad0NoSymbol", Qt::Key_0, kPad, 0, 0x60}, KeyRow{"Keypad9NoSymbol", Qt::Key_PageUp, kPad, 0, 0x69},
        KeyRow{"KeypadEnter", Qt::Key_Enter, kPad, 0xFF8D, 0x6C}, KeyRow{"KeypadPlus", Qt::Key_Plus, kPad, 0xFFAB, 0x6B},
        KeyRow{"KeypadMinus", Qt::Key_Minus, kPad, 0xFFAD, 0x6D}, KeyRow{"KeypadStar", Qt::Key_Asterisk, kPad, 0xFFAA, 0x6A},
        KeyRow{"KeypadSlash", Qt::Key_Slash, kPad, 0xFFAF, 0x6F}, KeyRow{"KeypadPoint", Qt::Key_Period, kPad, 0xFFAE, 0x6E},
        KeyRow{"MainMinusIsNotKeypad", Qt::Key_Minus, kNone, 0x2D, 0xBD},
        KeyRow{"MainHomeIsNotKeypad", Qt::Key_Home, kNone, 0xFF50, 0x24},
        KeyRow{"Punctuation", Qt::Key_BracketLeft, kNone, 0x5B, 0xDB}, KeyRow{"Grave", Qt::Key_QuoteLeft, kNone, 0x60, 0xC0},
        KeyRow{"VolumeUp", Qt::Key_VolumeUp, kNone, 0, 0xAF}, KeyRow{"Unknown", Qt::Key_Launch0, kNone, 0, -1}),
    [](const ::testing::TestParamInfo<KeyRow> &info) { return std::string(info.param.name); });

// Every code the capture can produce for the keys of a standard keyboard has a name and a
// device code, so a captured key can always be shown and recorded.
TEST(KeyTranslation, KeysOfAStandardKeyboardAllHaveNamesAndUsages) {
    const KeyNameTable names;
    std::vector<std::pair<int, uint32_t>> keys;
    for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k)
        keys.push_back({k, 0});
    for (int k = Qt::Key_0; k <= Qt::Key_9; ++k)
        keys.push_back({k, 0});
    for (int k = Qt::Key_F1; k <= Qt::Key_F12; ++k)
        keys.push_back({k, 0});
    for (uint32_t sym : {0xFFE1u, 0xFFE2u, 0xFFE3u, 0xFFE4u, 0xFFE9u, 0xFFEAu, 0xFFEBu, 0xFF8Du, 0xFFB0u, 0xFFB9u,
                         0xFFAAu, 0xFFABu, 0xFFADu, 0xFFAEu, 0xFFAFu})
        keys.push_back({Qt::Key_unknown, sym});
    for (int k : {Qt::Key_Escape, Qt::Key_Tab, Qt::Key_CapsLock, Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Space,
                  Qt::Key_Insert, Qt::Key_Delete, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown,
                  Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Print, Qt::Key_ScrollLock,
                  Qt::Key_Pause, Qt::Key_NumLock, Qt::Key_Menu, Qt::Key_Semicolon, Qt::Key_Equal, Qt::Key_Comma,
                  Qt::Key_Minus, Qt::Key_Period, Qt::Key_Slash, Qt::Key_QuoteLeft, Qt::Key_BracketLeft,
                  Qt::Key_Backslash, Qt::Key_BracketRight, Qt::Key_Apostrophe})
        keys.push_back({k, 0});
    for (const auto &[key, sym] : keys) {
        const auto vk = windowsVirtualKey(key, Qt::NoModifier, sym);
        ASSERT_TRUE(vk.has_value()) << "Qt key " << key << " symbol " << sym;
        EXPECT_FALSE(names.name(*vk).empty()) << "vk " << int(*vk);
        EXPECT_NE(names.usage(*vk), 0) << "vk " << int(*vk);
    }
}

} // namespace
