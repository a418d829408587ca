#include "controls/TreePlacement.h"

#include <algorithm>

namespace quenlar::controls {

TreePlacement placeTree(const QRect &client, const ScrollState &horizontal, const ScrollState &vertical,
                        int itemHeight) {
    TreePlacement placement;
    if (horizontal.visible) {
        placement.xOrigin = -horizontal.position;
        placement.virtualWidth = std::max(client.width(), horizontal.rangeMax + 1);
    } else {
        placement.xOrigin = client.left();
        placement.virtualWidth = client.width();
    }
    if (vertical.visible) {
        const int maximum = (vertical.rangeMin == 0 && vertical.rangeMax == 100) ? 0 : vertical.rangeMax;
        placement.yOrigin = -(itemHeight * vertical.position);
        placement.virtualHeight = std::max(client.height(), (itemHeight + 1) * (maximum + 2));
    } else {
        placement.yOrigin = client.top();
        placement.virtualHeight = client.height();
    }
    return placement;
}

} // namespace quenlar::controls
