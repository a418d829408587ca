#pragma once
// What the key assignment dialog hands over when it closes with OK: the user's choice for the
// key being assigned.

#include "keymap/AssignmentCategory.h"

#include <array>
#include <cstdint>
#include <string>

namespace quenlar {

// keyCount value that means: restore the key's default, whatever the category says.
inline constexpr int32_t kRestoreDefaultKeyCount = 255;
inline constexpr int kCapturedKeysSize = 255;

struct AssignmentRequest {
    AssignmentCategory category = AssignmentCategory::None;
    int32_t keyCount = 0;                                 // captured keys, 0..3, or kRestoreDefaultKeyCount
    std::array<uint8_t, kCapturedKeysSize> capturedKeys{}; // virtual-key codes in capture order, zero-filled
    std::string functionName;                             // chosen BasicFunction, in the interface language
    std::u16string actionPath;                            // host actions: the file, program or folder
    int32_t macroIndex = -1;                              // number of the chosen macro, -1 = none
    bool keyEnabled = true;                               // false when the dialog's Disable box is ticked
};

} // namespace quenlar
