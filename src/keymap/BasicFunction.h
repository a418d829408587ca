#pragma once
// The catalogue of basic functions a key can be given: shortcuts, media and window controls
// that the keyboard itself sends. Kind 0 entries list HID keyboard usages pressed together
// (0xE0 left Control, 0xE2 left Alt, 0xE3 left GUI); kind 3 entries carry a 16-bit consumer
// usage in p2 (low byte) and p3 (high byte). The same four bytes go into the key's KeyAction
// and into its HostKeyRecord::keyData, and no two entries share them, so stored bytes name
// their entry. The order is the order of the function tree in the key assignment dialog.

#include "model/KeyboardState.h"
#include "model/Language.h"

#include <optional>
#include <span>
#include <string_view>

namespace quenlar {

struct BasicFunction {
    std::string_view englishGroup;   // empty for the two top-level entries
    std::string_view chineseGroup;
    std::string_view englishName;
    std::string_view chineseName;
    KeyAction action;

    std::string_view group(Language language) const {
        return language == Language::Chinese ? chineseGroup : englishGroup;
    }
    std::string_view name(Language language) const {
        return language == Language::Chinese ? chineseName : englishName;
    }
};

std::span<const BasicFunction> basicFunctions();

// By the name shown in the interface language: exact, case-sensitive.
std::optional<BasicFunction> findBasicFunction(std::string_view name, Language language);
// By the four stored bytes.
std::optional<BasicFunction> findBasicFunction(KeyAction action);

} // namespace quenlar
