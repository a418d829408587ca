#include "controls/ProgramBitmaps.h"

#include "controls/SkinFont.h"
#include "controls/SkinPalette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace quenlar::controls {

namespace {

QImage blank(int w, int h, QRgb fill) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(fill);
    return image;
}

void paintTreeButton(QImage &image, bool expanded) {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(0x8A, 0x8A, 0x92));
    p.setBrush(expanded ? QColor(palette::kRedDark) : QColor(0x2C, 0x2C, 0x30));
    p.drawRect(0, 0, 8, 8);
    p.setPen(QColor(palette::kText));
    p.drawLine(2, 4, 6, 4);
    if (!expanded)
        p.drawLine(4, 2, 4, 6);
}

} // namespace

void paintSliderTrack(QImage &strip, bool filled) {
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing, true);
    const int w = strip.width();
    p.fillRect(strip.rect(), QColor(palette::kPanel));
    // A sunken groove, 7 pixels high, centred in the strip.
    const QRectF groove(0.5, 5.5, w - 1.0, 6.0);
    p.setPen(QColor(palette::kGroove));
    p.setBrush(QColor(palette::kGroove));
    p.drawRoundedRect(groove.adjusted(-0.5, -0.5, 0.5, 0.5), 3.5, 3.5);
    QLinearGradient fill(0, 6, 0, 12);
    if (filled) {
        fill.setColorAt(0.0, QColor(palette::kRedBright));
        fill.setColorAt(0.5, QColor(palette::kRed));
        fill.setColorAt(1.0, QColor(palette::kRedDark));
        // A soft glow above and below the lit bar.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(215, 25, 31, 50));
        p.drawRoundedRect(QRectF(0, 3.5, w, 10.0), 5, 5);
    } else {
        fill.setColorAt(0.0, QColor(0x5A, 0x5A, 0x60));
        fill.setColorAt(0.5, QColor(palette::kGreyTrack));
        fill.setColorAt(1.0, QColor(0x2E, 0x2E, 0x32));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1, 6, w - 2.0, 5.0), 2.5, 2.5);
    p.setPen(QColor(255, 255, 255, filled ? 90 : 40));
    p.drawLine(QPointF(3, 6.5), QPointF(w - 3.0, 6.5));
}

void paintSliderThumb(QImage &thumb) {
    thumb.fill(palette::kPanel);
    QPainter p(&thumb);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF cap(0.5, 0.5, thumb.width() - 1.0, thumb.height() - 1.0);
    QLinearGradient metal(0, 0, 0, thumb.height());
    metal.setColorAt(0.0, QColor(0xF2, 0xF2, 0xF4));
    metal.setColorAt(0.45, QColor(0xB8, 0xB8, 0xBE));
    metal.setColorAt(1.0, QColor(0x6A, 0x6A, 0x72));
    p.setPen(QColor(0x10, 0x10, 0x12));
    p.setBrush(metal);
    p.drawRoundedRect(cap, 3, 3);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(palette::kRed));
    const int mid = thumb.width() / 2;
    p.drawLine(mid, 3, mid, thumb.height() - 4);
    p.setPen(QColor(palette::kRedDark));
    p.drawLine(mid + 1, 3, mid + 1, thumb.height() - 4);
}

QImage ProgramBitmaps::filledTrack() {
    QImage image = blank(220, 17, palette::kPanel);
    paintSliderTrack(image, true);
    return image;
}

QImage ProgramBitmaps::emptyTrack() {
    QImage image = blank(220, 17, palette::kPanel);
    paintSliderTrack(image, false);
    return image;
}

QImage ProgramBitmaps::thumbBitmap() {
    QImage image = blank(15, 14, palette::kPanel);
    paintSliderThumb(image);
    return image;
}

QImage ProgramBitmaps::listIconPress() {
    QImage image = blank(10, 14, 0);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(palette::kRedBright), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 1.5), QPointF(5, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(palette::kRedBright));
    p.drawPolygon(QPolygonF({QPointF(0.5, 7), QPointF(9.5, 7), QPointF(5, 13)}));
    return image;
}

QImage ProgramBitmaps::listIconRelease() {
    QImage image = blank(10, 14, 0);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0xC8, 0xC8, 0xD0), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 6), QPointF(5, 12.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC8, 0xC8, 0xD0));
    p.drawPolygon(QPolygonF({QPointF(0.5, 7), QPointF(9.5, 7), QPointF(5, 1)}));
    return image;
}

QImage ProgramBitmaps::listIconDelay() {
    QImage image = blank(14, 14, 0);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0xD0, 0xD0, 0xD8), 1.4));
    p.setBrush(QColor(0x2A, 0x2A, 0x2E));
    p.drawEllipse(QRectF(1, 1, 12, 12));
    p.setPen(QPen(QColor(palette::kRedBright), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 7), QPointF(7, 3.5));
    p.drawLine(QPointF(7, 7), QPointF(9.8, 8.6));
    return image;
}

QImage ProgramBitmaps::listBackground() {
    QImage image = blank(127, 305, palette::kPanel);
    QPainter p(&image);
    // Header band (the list's title is written on it by the window).
    QLinearGradient header(0, 0, 0, 20);
    header.setColorAt(0.0, QColor(0x36, 0x36, 0x3C));
    header.setColorAt(1.0, QColor(0x24, 0x24, 0x28));
    p.fillRect(QRect(0, 0, 127, 20), header);
    p.fillRect(QRect(0, 20, 127, 2), QColor(palette::kRed));
    // The list's body: a dark well with a faint top light.
    QLinearGradient body(0, 22, 0, 298);
    body.setColorAt(0.0, QColor(0x1A, 0x1A, 0x1E));
    body.setColorAt(1.0, QColor(0x12, 0x12, 0x14));
    p.fillRect(QRect(0, 22, 127, 276), body);
    p.setPen(QColor(palette::kPanelLine));
    p.drawRect(0, 0, 126, 304);
    p.setPen(QColor(0x0A, 0x0A, 0x0C));
    p.drawLine(1, 22, 125, 22);
    // Footer strip with a short red mark.
    p.fillRect(QRect(1, 298, 125, 6), QColor(0x24, 0x24, 0x28));
    p.fillRect(QRect(52, 300, 23, 2), QColor(palette::kRedDark));
    return image;
}

QImage ProgramBitmaps::treeCollapsed() {
    QImage image = blank(9, 9, palette::kTreeSolid);
    paintTreeButton(image, false);
    return image;
}

QImage ProgramBitmaps::treeExpanded() {
    QImage image = blank(9, 9, palette::kTreeSolid);
    paintTreeButton(image, true);
    return image;
}

QImage ProgramBitmaps::treeBackground() {
    // Carbon-fibre weave: 8-pixel cells, alternating directions of a soft sheen.
    QImage image = blank(64, 64, palette::kTreeSolid);
    QPainter p(&image);
    for (int cy = 0; cy < 8; ++cy) {
        for (int cx = 0; cx < 8; ++cx) {
            const QRect cell(cx * 8, cy * 8, 8, 8);
            const bool across = (cx + cy) % 2 == 0;
            QLinearGradient sheen(cell.topLeft(), across ? cell.topRight() : cell.bottomLeft());
            sheen.setColorAt(0.0, QColor(0x1A, 0x1A, 0x1C));
            sheen.setColorAt(0.5, QColor(0x2A, 0x2A, 0x2E));
            sheen.setColorAt(1.0, QColor(0x18, 0x18, 0x1A));
            p.fillRect(cell, sheen);
        }
    }
    return image;
}

QImage ProgramBitmaps::programIcon(int size) {
    QImage image = blank(size, size, 0);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 64.0, size / 64.0);
    // A key cap seen from above: dark body, lighter top face, red rim light.
    QLinearGradient body(0, 0, 0, 64);
    body.setColorAt(0.0, QColor(0x3A, 0x3A, 0x40));
    body.setColorAt(1.0, QColor(0x0C, 0x0C, 0x0E));
    p.setPen(QPen(QColor(palette::kRed), 2.5));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(3, 3, 58, 58), 12, 12);
    QLinearGradient face(0, 10, 0, 50);
    face.setColorAt(0.0, QColor(0x34, 0x34, 0x3A));
    face.setColorAt(1.0, QColor(0x1C, 0x1C, 0x20));
    p.setPen(QPen(QColor(0, 0, 0, 160), 1.0));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(11, 9, 42, 40), 8, 8);
    QFont font = skinFont(QStringLiteral("Arial"), 40, 700);
    p.setFont(font);
    p.setPen(QColor(palette::kRedBright));
    p.drawText(QRectF(11, 7, 42, 42), Qt::AlignCenter, QStringLiteral("Q"));
    QRadialGradient glow(32, 58, 22);
    glow.setColorAt(0.0, QColor(255, 40, 40, 140));
    glow.setColorAt(1.0, QColor(255, 40, 40, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawRoundedRect(QRectF(10, 52, 44, 6), 3, 3);
    return image;
}

} // namespace quenlar::controls
