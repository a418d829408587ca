#pragma once
// The program's own bitmaps (not skin files): slider tracks, the thumb size, the icons and
// background of the transparent list box, the tree's buttons and background, the program icon.
// They are drawn in code, so they travel inside the executable.

#include <QImage>

namespace quenlar::controls {

struct ProgramBitmaps {
    static QImage filledTrack();      // 220 x 17, a red bar
    static QImage emptyTrack();       // 220 x 17, a dark grey bar
    static QImage thumbBitmap();      // 15 x 14, gives the thumb size
    static QImage listIconPress();    // 10 x 14
    static QImage listIconRelease();  // 10 x 14
    static QImage listIconDelay();    // 14 x 14
    static QImage listBackground();   // 127 x 305; lists show it from its pixel (7, 22) on
    static QImage treeCollapsed();    // 9 x 9
    static QImage treeExpanded();     // 9 x 9
    static QImage treeBackground();   // 64 x 64 tile
    static QImage programIcon(int size); // square, any size (16, 32, 64, 256)
};

// Draws the slider's groove, filled (red) or empty (grey), across `width` pixels of a 17-pixel
// strip; the generator uses it too so that skin images match the tracks exactly.
void paintSliderTrack(QImage &strip, bool filled);

// Draws the skin's thumb knob (15 x 14) on the panel colour.
void paintSliderThumb(QImage &thumb);

} // namespace quenlar::controls
