#pragma once
// What kind of assignment a key was given. Stored as one byte in HostKeyRecord::category.
//
//   value  keyData holds                       KeyAction written
//   0      the one captured virtual key        that key's device code (media keys as consumer controls)
//   1      up to three captured virtual keys   kind 0 with the three device codes
//   2      4, 1, m, 0  (m = macro number)      4, 1, m, 0
//   3      the BasicFunction's four bytes      the same four bytes
//   4..7   3, 0, 0x23, 0x02                    10, 0, virtualKey, 0: the keyboard reports the key
//                                              and the program opens the record's actionPath
//   8      never stored (the record is reset)  kind 0 with the key's own device code
//   255    never stored                        nothing changes

#include "model/Language.h"

#include <cstdint>
#include <string_view>

namespace quenlar {

enum class AssignmentCategory : uint8_t {
    Single = 0,
    Combine = 1,
    Macro = 2,
    Basic = 3,
    PlaySound = 4,
    Startup = 5,
    OpenFile = 6,
    OpenFolder = 7,
    RestoreKey = 8,
    None = 255,
};

constexpr bool isHostAction(uint8_t category) { return category >= 4 && category <= 7; }

// The name the key assignment dialog shows for categories 0..7; empty for RestoreKey and None.
std::string_view categoryLabel(AssignmentCategory category, Language language);

// The dialog's four pages: Single/Combine (0, 1), Macro (2), Basic (3), Advance (4..7).
enum class AssignmentPage { SingleCombine, Macro, Basic, Advance };
std::string_view pageTitle(AssignmentPage page, Language language);

} // namespace quenlar
