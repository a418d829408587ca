#pragma once
// Putting skin images and texts on a window's surface.
//
// Images are shown at their natural size and copied opaquely: a transparent area of a PNG shows
// the colour values stored there, not what lies under it. A missing or undecodable image draws
// nothing and is not an error: the rest of the window is drawn as usual.

#include "controls/SkinImageCache.h"

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>

namespace quenlar::controls {

// Copy the whole image folder + fileName to the target with its top-left corner at (x, y).
void DrawSkinImage(SkinImageCache &cache, QPainter &target, const QString &folder, const QString &fileName, int x,
                   int y);

// Copy the part `source` of the image to the target with its top-left corner at `destination`.
// The part is cut to the image; nothing is scaled.
void DrawSkinImagePart(SkinImageCache &cache, QPainter &target, const QString &folder, const QString &fileName,
                       const QRect &source, const QPoint &destination);

// Write one line of text in the skin's text style (Arial, light, cell height `height` pixels),
// top-left corner at (x, y), unclipped, on a transparent background.
void DrawSkinText(QPainter &target, const QString &text, int x, int y, const QColor &colour, int height);

// Width and height of an image; an empty size when it is missing or cannot be decoded.
QSize LoadSkinImageSize(SkinImageCache &cache, const QString &folder, const QString &fileName);

// Copy an image opaquely (its alpha ignored) onto the target.
void copyOpaque(QPainter &target, const QPoint &destination, const QImage &image, const QRect &source);

} // namespace quenlar::controls
