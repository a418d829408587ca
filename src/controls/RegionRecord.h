#pragma once
// A window's table of buttons and sensitive areas: one record per region.

#include <QString>

#include <cstdint>

namespace quenlar::controls {

struct RegionRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    // All four edges belong to the rectangle.
    constexpr bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

struct RegionRecord {
    RegionRect rect;
    QString normalImage; // shown in the normal state
    QString overImage;   // shown while the pointer is over the region
    QString thirdImage;  // carried in the table, never drawn
    int32_t state = 0;   // 0 = normalImage, 1 = overImage, anything else = nothing

    // The image the record shows in its state; empty when it shows nothing.
    QString imageForState() const {
        if (state == 0)
            return normalImage;
        if (state == 1)
            return overImage;
        return {};
    }
};

} // namespace quenlar::controls
