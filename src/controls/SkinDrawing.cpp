#include "controls/SkinDrawing.h"

#include "controls/SkinFont.h"

#include <QFontMetrics>

namespace quenlar::controls {

void copyOpaque(QPainter &target, const QPoint &destination, const QImage &image, const QRect &source) {
    const QRect part = source.intersected(image.rect());
    if (part.isEmpty())
        return;
    const QPainter::CompositionMode mode = target.compositionMode();
    target.setCompositionMode(QPainter::CompositionMode_Source);
    target.drawImage(destination + (part.topLeft() - source.topLeft()), image, part);
    target.setCompositionMode(mode);
}

void DrawSkinImage(SkinImageCache &cache, QPainter &target, const QString &folder, const QString &fileName, int x,
                   int y) {
    if (const QImage *image = cache.image(folder, fileName))
        copyOpaque(target, QPoint(x, y), *image, image->rect());
}

void DrawSkinImagePart(SkinImageCache &cache, QPainter &target, const QString &folder, const QString &fileName,
                       const QRect &source, const QPoint &destination) {
    if (const QImage *image = cache.image(folder, fileName))
        copyOpaque(target, destination, *image, source);
}

void DrawSkinText(QPainter &target, const QString &text, int x, int y, const QColor &colour, int height) {
    const QFont font = skinTextFont(height);
    target.save();
    target.setFont(font);
    target.setPen(colour);
    target.setBackgroundMode(Qt::TransparentMode);
    target.drawText(QPoint(x, y + QFontMetrics(font).ascent()), text);
    target.restore();
}

QSize LoadSkinImageSize(SkinImageCache &cache, const QString &folder, const QString &fileName) {
    if (const QImage *image = cache.image(folder, fileName))
        return image->size();
    return QSize(0, 0);
}

} // namespace quenlar::controls
