#include "macro/MacroLibrary.h"

#include <algorithm>
#include <cassert>

namespace quenlar {

namespace {
std::u16string candidateName(int n) {
    const std::string digits = (n < 10 ? "00" : "0") + std::to_string(n);
    std::u16string name = u"Macro_";
    name.append(digits.begin(), digits.end());
    return name;
}
} // namespace

std::u16string MakeNewMacroName(const MacroTable &table) {
    const int count = namedMacroCount(table);
    for (int n = 1;; ++n) {
        const std::u16string candidate = candidateName(n);
        bool taken = false;
        for (int i = 0; i < count && !taken; ++i)
            taken = table[i].nameView() == candidate;
        if (!taken)
            return candidate;
    }
}

bool isValidMacroName(std::u16string_view name) {
    return !name.empty() && name.size() <= static_cast<std::size_t>(kMaxMacroNameLength) &&
           name.find(u'\0') == std::u16string_view::npos;
}

void setMacroName(MacroRecord &record, std::u16string_view name) {
    assert(isValidMacroName(name));
    record.name.fill(u'\0');
    std::copy(name.begin(), name.end(), record.name.begin());
}

std::optional<int> appendNewMacro(MacroTable &table) {
    const int index = namedMacroCount(table);
    if (index >= kMaxNamedMacros)
        return std::nullopt;
    const std::u16string name = MakeNewMacroName(table);
    // Records index..188 move one place up; record 189 is dropped.
    std::copy_backward(table.begin() + index, table.end() - 1, table.end());
    table[index] = MacroRecord{};
    setMacroName(table[index], name);
    return index;
}

void removeMacro(MacroTable &table, int index) {
    const int count = namedMacroCount(table);
    assert(index >= 0 && index < count);
    std::copy(table.begin() + index + 1, table.end(), table.begin() + index);
    table[count - 1] = MacroRecord{};
}

} // namespace quenlar
