#pragma once
// The key assignment dialog's layout: its image buttons, the Advance page's rows and the texts'
// places, in client pixels. Rectangles include all four edges.

#include "dialogs/CKeyMap.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <array>
#include <string_view>

namespace quenlar::dialogs::keymap_layout {

struct ButtonLook {
    QRect rect;
    const char *normal;
    const char *over;
};

inline const std::array<ButtonLook, CKeyMap::ButtonCount> &buttons() {
    static const std::array<ButtonLook, CKeyMap::ButtonCount> table{{
        {inclusive(303, 2, 318, 17), "button-close-normal.png", "button-close-over.png"},
        {inclusive(0, 31, 81, 57), "large_button.png", "large_button.png"},
        {inclusive(81, 31, 162, 57), "large_button.png", "large_button.png"},
        {inclusive(162, 31, 243, 57), "large_button.png", "large_button.png"},
        {inclusive(243, 31, 324, 57), "large_button.png", "large_button.png"},
        {inclusive(0, 30, 325, 36), "single_combine_option.png", "single_combine_option.png"},
        {inclusive(19, 251, 29, 260), "Disable.png", "Enable.png"},
        {inclusive(156, 246, 197, 268), "button-cancel-normal.png", "button-cancel-over.png"},
        {inclusive(210, 246, 251, 268), "button-cancel-normal.png", "button-cancel-over.png"},
        {inclusive(264, 246, 305, 268), "button-save-normal.png", "button-save-over.png"},
    }};
    return table;
}

inline constexpr int kDisableMargin = 5; // the Disable box's hit area is wider than its picture
inline constexpr int kRowStep = 30;      // the Advance page's rows
inline constexpr int kTextHeight = 14;
inline QRect labelRect(int row) { return inclusive(30, 69, 72, 84).translated(0, kRowStep * row); }

inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace quenlar::dialogs::keymap_layout
