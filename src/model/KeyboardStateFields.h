#pragma once
// Every field of the keyboard image by name, for tools that show or set fields by name
// (the command-line tool's dump and set).

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace quenlar {

struct KeyboardStateField {
    std::string_view name;
    std::size_t offset;
    std::size_t size;
};

// All seventeen fields in image order.
std::span<const KeyboardStateField> keyboardStateFields();
std::optional<KeyboardStateField> findKeyboardStateField(std::string_view name);

} // namespace quenlar
