#pragma once
// Where the function tree's scrolled content lies: the origin and size of the virtual area its
// background covers, from the client rectangle and the scroll bars.

#include <QRect>

namespace quenlar::controls {

struct ScrollState {
    bool visible = false;
    int position = 0;
    int rangeMin = 0;
    int rangeMax = 0; // the last position of the range: item count - 1 vertically, content width - 1 across
};

struct TreePlacement {
    int xOrigin = 0;
    int virtualWidth = 0;
    int yOrigin = 0;
    int virtualHeight = 0;
};

// With a horizontal scroll bar the content starts at minus its position and is as wide as the
// larger of the client and the range; with a vertical one (a 0..100 range counts as empty) it
// starts itemHeight x position above the client and reaches at least (itemHeight + 1) x
// (maximum + 2) down.
TreePlacement placeTree(const QRect &client, const ScrollState &horizontal, const ScrollState &vertical,
                        int itemHeight);

} // namespace quenlar::controls
