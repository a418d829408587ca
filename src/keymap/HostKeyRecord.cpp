#include "keymap/HostKeyRecord.h"

#include "model/KeyTable.h"

#include <cassert>

namespace quenlar {

std::u16string HostKeyRecord::actionPathText() const {
    std::u16string text;
    for (int i = 0; i < kMaxActionPathLength; ++i) {
        const auto unit = static_cast<char16_t>(actionPath[2 * i] | (actionPath[2 * i + 1] << 8));
        if (unit == 0)
            break;
        text += unit;
    }
    return text;
}

void HostKeyRecord::setActionPath(std::u16string_view path) {
    assert(path.size() <= static_cast<std::size_t>(kMaxActionPathLength));
    std::size_t i = 0;
    for (; i < path.size() && path[i] != 0; ++i) {
        actionPath[2 * i] = static_cast<uint8_t>(path[i] & 0xFF);
        actionPath[2 * i + 1] = static_cast<uint8_t>(path[i] >> 8);
    }
    actionPath[2 * i] = 0;
    actionPath[2 * i + 1] = 0;
}

void HostKeyRecord::clearAssignment() {
    category = 0;
    keyCount = 0;
    keyData.fill(0);
}

void fillVirtualKeys(HostKeyRecords &records) {
    for (int i = 0; i < kKeyCount; ++i)
        records[i].virtualKey = keyAt(i).virtualKey;
}

} // namespace quenlar
