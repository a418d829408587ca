#include "SkinCanvas.h"

#include "controls/SkinPalette.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace quenlar::skingen {

namespace pal = quenlar::controls::palette;

QImage canvas(int width, int height, QRgb fill) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(fill);
    return image;
}

void raisedBox(QPainter &p, const QRectF &r, const QColor &top, const QColor &bottom, const QColor &border,
               qreal radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0.0, top);
    fill.setColorAt(1.0, bottom);
    p.setPen(QPen(border, 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    // A faint light along the top edge.
    p.setPen(QPen(QColor(255, 255, 255, 28), 1.0));
    p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
    p.restore();
}

void sunkenField(QPainter &p, const QRectF &r, qreal radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0.0, QColor(0x0C, 0x0C, 0x0E));
    fill.setColorAt(1.0, QColor(0x1A, 0x1A, 0x1E));
    p.setPen(QPen(QColor(0x05, 0x05, 0x06), 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 22), 1.0));
    p.drawLine(QPointF(r.left() + radius, r.bottom() - 0.5), QPointF(r.right() - radius, r.bottom() - 0.5));
    p.restore();
}

void headerBar(QPainter &p, int width, int chevron, bool splitAt130) {
    p.save();
    const QRectF bar(0, 0, width, 21);
    QLinearGradient fill(0, 0, 0, 21);
    fill.setColorAt(0.0, QColor(0x3A, 0x3A, 0x40));
    fill.setColorAt(0.55, QColor(0x2A, 0x2A, 0x2F));
    fill.setColorAt(1.0, QColor(0x22, 0x22, 0x26));
    p.fillRect(bar, fill);
    p.setPen(QColor(255, 255, 255, 30));
    p.drawLine(0, 0, width - 1, 0);
    // Red rule under the title, brighter at the left, fading out to the right.
    QLinearGradient rule(0, 0, width, 0);
    rule.setColorAt(0.0, QColor(pal::kRedBright));
    rule.setColorAt(0.6, QColor(pal::kRed));
    rule.setColorAt(1.0, QColor(pal::kRedDark));
    p.fillRect(QRectF(0, 19, width, 2), rule);
    if (splitAt130) {
        p.setPen(QColor(0x16, 0x16, 0x18));
        p.drawLine(126, 3, 126, 17);
        p.setPen(QColor(0x48, 0x48, 0x50));
        p.drawLine(127, 3, 127, 17);
    }
    if (chevron != 0) {
        const QRectF box(width - 17, 4, 11, 11);
        drawGlyph(p, chevron == 1 ? Glyph::Right : Glyph::Down, box,
                  chevron == 1 ? QColor(0xB0, 0xB0, 0xB8) : QColor(pal::kRedBright), 1.8);
    }
    p.restore();
}

void buttonFace(QPainter &p, const QRectF &r, bool hot, bool accent, qreal radius) {
    QColor top, bottom, border;
    if (accent) {
        top = hot ? QColor(0xFF, 0x4A, 0x4E) : QColor(0xC8, 0x1E, 0x24);
        bottom = hot ? QColor(0xA0, 0x12, 0x18) : QColor(0x70, 0x0C, 0x10);
        border = hot ? QColor(0xFF, 0x8A, 0x8C) : QColor(0x2A, 0x04, 0x06);
    } else if (hot) {
        top = QColor(0x8E, 0x1A, 0x20);
        bottom = QColor(0x4A, 0x08, 0x0C);
        border = QColor(pal::kRedBright);
    } else {
        top = QColor(0x46, 0x46, 0x4E);
        bottom = QColor(0x22, 0x22, 0x26);
        border = QColor(0x0C, 0x0C, 0x0E);
    }
    raisedBox(p, r, top, bottom, border, radius);
}

void drawGlyph(QPainter &p, Glyph glyph, const QRectF &b, const QColor &colour, qreal width) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const qreal l = b.left(), t = b.top(), r = b.right(), bo = b.bottom();
    const QPointF c = b.center();
    switch (glyph) {
    case Glyph::Up:
        p.drawPolyline(QPolygonF({QPointF(l, bo - b.height() * 0.25), QPointF(c.x(), t + b.height() * 0.2),
                                  QPointF(r, bo - b.height() * 0.25)}));
        break;
    case Glyph::Down:
        p.drawPolyline(QPolygonF({QPointF(l, t + b.height() * 0.25), QPointF(c.x(), bo - b.height() * 0.2),
                                  QPointF(r, t + b.height() * 0.25)}));
        break;
    case Glyph::Left:
        p.drawPolyline(QPolygonF({QPointF(r - b.width() * 0.25, t), QPointF(l + b.width() * 0.2, c.y()),
                                  QPointF(r - b.width() * 0.25, bo)}));
        break;
    case Glyph::Right:
        p.drawPolyline(QPolygonF({QPointF(l + b.width() * 0.25, t), QPointF(r - b.width() * 0.2, c.y()),
                                  QPointF(l + b.width() * 0.25, bo)}));
        break;
    case Glyph::Plus:
        p.drawLine(QPointF(c.x(), t), QPointF(c.x(), bo));
        p.drawLine(QPointF(l, c.y()), QPointF(r, c.y()));
        break;
    case Glyph::Minus:
        p.drawLine(QPointF(l, c.y()), QPointF(r, c.y()));
        break;
    case Glyph::Cross:
        p.drawLine(b.topLeft(), b.bottomRight());
        p.drawLine(b.topRight(), b.bottomLeft());
        break;
    case Glyph::Question: {
        QPainterPath path;
        path.moveTo(l + b.width() * 0.2, t + b.height() * 0.3);
        path.cubicTo(l + b.width() * 0.2, t - b.height() * 0.05, r, t - b.height() * 0.05, r - b.width() * 0.1,
                     t + b.height() * 0.35);
        path.cubicTo(r - b.width() * 0.2, t + b.height() * 0.55, c.x(), t + b.height() * 0.5, c.x(),
                     t + b.height() * 0.72);
        p.drawPath(path);
        p.setBrush(colour);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(c.x(), bo - 0.6), width * 0.7, width * 0.7);
        break;
    }
    case Glyph::Tick:
        p.drawPolyline(QPolygonF({QPointF(l, c.y()), QPointF(l + b.width() * 0.38, bo - b.height() * 0.1),
                                  QPointF(r, t + b.height() * 0.1)}));
        break;
    case Glyph::Trash:
        p.drawLine(QPointF(l, t + 2), QPointF(r, t + 2));
        p.drawLine(QPointF(c.x() - 2, t), QPointF(c.x() + 2, t));
        p.drawPolyline(QPolygonF({QPointF(l + 1.5, t + 4), QPointF(l + 3, bo), QPointF(r - 3, bo), QPointF(r - 1.5, t + 4)}));
        p.drawLine(QPointF(c.x(), t + 6), QPointF(c.x(), bo - 3));
        break;
    case Glyph::Folder:
        p.drawPolygon(QPolygonF({QPointF(l, t + 2), QPointF(l + b.width() * 0.4, t + 2),
                                 QPointF(l + b.width() * 0.5, t + 4), QPointF(r, t + 4), QPointF(r, bo),
                                 QPointF(l, bo)}));
        break;
    case Glyph::Gear: {
        const qreal radius = std::min(b.width(), b.height()) / 2;
        for (int i = 0; i < 8; ++i) {
            const qreal a = i * M_PI / 4;
            p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * radius * 0.62,
                       c + QPointF(std::cos(a), std::sin(a)) * radius);
        }
        p.drawEllipse(c, radius * 0.58, radius * 0.58);
        p.drawEllipse(c, radius * 0.2, radius * 0.2);
        break;
    }
    case Glyph::Bulb: {
        const qreal radius = b.width() * 0.34;
        p.drawEllipse(QPointF(c.x(), t + radius + 0.5), radius, radius);
        p.drawLine(QPointF(c.x() - radius * 0.55, bo - 2.5), QPointF(c.x() + radius * 0.55, bo - 2.5));
        p.drawLine(QPointF(c.x() - radius * 0.4, bo), QPointF(c.x() + radius * 0.4, bo));
        break;
    }
    }
    p.restore();
}

QFont generatorFont(int pixelSize, int weight) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(pixelSize);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void drawText(QPainter &p, const QString &text, const QRectF &box, int pixelSize, const QColor &colour, int flags,
              int weight) {
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(generatorFont(pixelSize, weight));
    p.setPen(colour);
    p.drawText(box, flags, text);
    p.restore();
}

QImage radioMark(bool lit, QRgb background) {
    QImage image = canvas(11, 10, background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF box(0.5, 0.5, 10, 9);
    if (lit) {
        QLinearGradient fill(0, 0, 0, 10);
        fill.setColorAt(0.0, QColor(pal::kRedBright));
        fill.setColorAt(1.0, QColor(pal::kRedDark));
        p.setPen(QPen(QColor(0xFF, 0x90, 0x90), 1.0));
        p.setBrush(fill);
        p.drawRoundedRect(box, 2.5, 2.5);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(5.5, 5.0), 1.8, 1.8);
    } else {
        p.setPen(QPen(QColor(0x70, 0x70, 0x78), 1.0));
        p.setBrush(QColor(0x12, 0x12, 0x14));
        p.drawRoundedRect(box, 2.5, 2.5);
    }
    return image;
}

QImage captionButton(Glyph glyph, bool hot, bool danger, int width, int height, QRgb background) {
    QImage image = canvas(width, height, background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    if (hot) {
        p.setPen(Qt::NoPen);
        p.setBrush(danger ? QColor(pal::kRed) : QColor(0x4A, 0x4A, 0x52));
        p.drawRoundedRect(QRectF(0, 0, width, height), 3, 3);
    } else {
        p.setPen(QPen(QColor(0x44, 0x44, 0x4A), 1.0));
        p.setBrush(QColor(0x22, 0x22, 0x26));
        p.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 3, 3);
    }
    const QColor ink = hot ? QColor(Qt::white) : QColor(0xC0, 0xC0, 0xC8);
    const qreal m = glyph == Glyph::Question ? 4.5 : 5.0;
    const QRectF box(m, m - 0.5, width - 2 * m, height - 2 * m);
    drawGlyph(p, glyph, box, ink, 1.6);
    return image;
}

QString tr(Language language, const char *english, const char *chinese) {
    return language == Language::Chinese ? QString::fromUtf8(chinese) : QString::fromUtf8(english);
}

} // namespace quenlar::skingen
