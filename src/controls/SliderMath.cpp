#include "controls/SliderMath.h"

#include <cstdint>

namespace quenlar::controls {

ThumbPlacement PlaceThumb(int thumbLeft, int thumbRight, int thumbWidth, int crossOffset) {
    ThumbPlacement placement;
    placement.thumbX = thumbLeft + (thumbWidth - (thumbRight - thumbLeft)) / 2;
    placement.thumbY = crossOffset;
    return placement;
}

bool ClickToValue(int d, int w, int min, int max, int &value) {
    if (w <= 0)
        return false;
    const int64_t span = static_cast<int64_t>(max) - min;
    int64_t p = static_cast<int64_t>(d) * span / w;
    const double q = static_cast<double>(span) * d / w;
    if (q - static_cast<double>(p) >= 0.5)
        ++p;
    if (p > INT32_MAX)
        p = INT32_MAX;
    if (p < INT32_MIN)
        p = INT32_MIN;
    value = static_cast<int>(p);
    return true;
}

} // namespace quenlar::controls
