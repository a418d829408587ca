#pragma once
// Virtual-key code (0..255) to the keyboard's own code for that key (a HID keyboard usage,
// a consumer usage or one of the keyboard's mouse codes) and the short English name the
// program shows for it. Built once at start, read-only afterwards.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quenlar {

class KeyNameTable {
public:
    struct Entry {
        uint8_t vk = 0;
        uint8_t usage = 0;   // 0 = none
        std::string name;    // empty = none; most names end in one blank
    };

    KeyNameTable();

    uint8_t usage(uint8_t vk) const { return entries_[vk].usage; }
    std::string_view name(uint8_t vk) const { return entries_[vk].name; }
    const Entry &entry(uint8_t vk) const { return entries_[vk]; }

private:
    std::array<Entry, 256> entries_;
};

} // namespace quenlar
