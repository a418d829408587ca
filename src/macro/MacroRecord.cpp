#include "macro/MacroRecord.h"

#include <algorithm>

namespace quenlar {

std::u16string_view MacroRecord::nameView() const {
    const auto end = std::find(name.begin(), name.end(), u'\0');
    return std::u16string_view(name.data(), static_cast<std::size_t>(end - name.begin()));
}

std::span<uint8_t, kMacroTableSize> tableBytes(MacroTable &table) {
    return std::span<uint8_t, kMacroTableSize>(reinterpret_cast<uint8_t *>(table.data()), kMacroTableSize);
}

std::span<const uint8_t, kMacroTableSize> tableBytes(const MacroTable &table) {
    return std::span<const uint8_t, kMacroTableSize>(reinterpret_cast<const uint8_t *>(table.data()),
                                                     kMacroTableSize);
}

int namedMacroCount(const MacroTable &table) {
    int count = 0;
    while (count < kMaxNamedMacros && table[count].named())
        ++count;
    return count;
}

} // namespace quenlar
