// The keyboard picture: kb_BK.png (unlit) and kb_hl.png (every key lit), drawn from the key
// table's rectangles and labels. The main window copies lit keys out of kb_hl.png rectangle by
// rectangle, so every key's look stays inside its rectangle.
#include "SkinCanvas.h"
#include "SkinSet.h"

#include "controls/SkinPalette.h"
#include "model/KeyTable.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>

namespace quenlar::skingen {

namespace pal = quenlar::controls::palette;

namespace {

constexpr int kPictureWidth = 684;
constexpr int kPictureHeight = 350;
constexpr QPoint kPictureOrigin(278, 107); // on the main window
constexpr int kEnterIndex = 54;
// The Enter key's two pieces as the main window copies them from kb_hl.png.
constexpr QRect kEnterUpper(492, 193, 57, 33);
constexpr QRect kEnterLower(504, 224, 44, 38);

QPainterPath roundedPath(const QRectF &r, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// The key cap's outline (skirt) and top face, in picture pixels.
struct CapShape {
    QPainterPath skirt;
    QPainterPath face;
    QRectF bounds;
};

CapShape capShape(int index) {
    CapShape shape;
    if (index == kEnterIndex) {
        // One L-shaped cap: the upper piece, and the lower piece hanging under its right part.
        const QRectF upper(kEnterUpper), lower(kEnterLower);
        const qreal ur = upper.right() - 0.5, lr = lower.right() - 0.5, ll = lower.left() + 0.5;
        const qreal ut = upper.top() + 0.5, ul = upper.left() + 0.5, ub = upper.bottom() - 0.5;
        const qreal lb = lower.bottom() - 0.5;
        shape.skirt.addPolygon(QPolygonF({QPointF(ul, ut), QPointF(ur, ut), QPointF(ur, ub), QPointF(lr, ub),
                                          QPointF(lr, lb), QPointF(ll, lb), QPointF(ll, ub), QPointF(ul, ub)}));
        shape.skirt.closeSubpath();
        shape.face.addPolygon(QPolygonF({QPointF(ul + 3, ut + 2), QPointF(ur - 4, ut + 2), QPointF(ur - 4, lb - 6),
                                         QPointF(ll + 3, lb - 6), QPointF(ll + 3, ub - 6), QPointF(ul + 3, ub - 6)}));
        shape.face.closeSubpath();
        shape.bounds = upper.united(lower);
        return shape;
    }
    const KeyRect &k = quenlar::keyAt(index).rect;
    const QRectF r(k.left, k.top, k.right - k.left, k.bottom - k.top);
    shape.skirt = roundedPath(r.adjusted(0.5, 0.5, -0.5, -0.5), 3);
    shape.face = roundedPath(r.adjusted(3, 2, -4, -6), 3);
    shape.bounds = r;
    return shape;
}

void drawCap(QPainter &p, int index, bool lit) {
    const CapShape shape = capShape(index);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    // Skirt.
    QLinearGradient skirt(shape.bounds.topLeft(), shape.bounds.bottomLeft());
    if (lit) {
        skirt.setColorAt(0.0, QColor(0x6A, 0x10, 0x14));
        skirt.setColorAt(1.0, QColor(0x9A, 0x12, 0x18));
    } else {
        skirt.setColorAt(0.0, QColor(0x26, 0x26, 0x2B));
        skirt.setColorAt(1.0, QColor(0x16, 0x16, 0x19));
    }
    p.setPen(QPen(lit ? QColor(pal::kRedBright) : QColor(0x08, 0x08, 0x0A), 1.0));
    p.setBrush(skirt);
    p.drawPath(shape.skirt);
    // Top face.
    const QRectF faceBounds = shape.face.boundingRect();
    QLinearGradient face(faceBounds.topLeft(), faceBounds.bottomLeft());
    if (lit) {
        face.setColorAt(0.0, QColor(0x5C, 0x1A, 0x1E));
        face.setColorAt(1.0, QColor(0x38, 0x0C, 0x10));
    } else {
        face.setColorAt(0.0, QColor(0x3E, 0x3E, 0x45));
        face.setColorAt(1.0, QColor(0x2C, 0x2C, 0x32));
    }
    p.setPen(QPen(lit ? QColor(0xFF, 0x6A, 0x6E, 150) : QColor(255, 255, 255, 24), 1.0));
    p.setBrush(face);
    p.drawPath(shape.face);
    // Backlight bleeding out under the cap.
    if (lit) {
        // Under the bottom edge of the cap (for Enter: of its lower piece only).
        const QRectF bottomPiece = index == kEnterIndex ? QRectF(kEnterLower) : shape.bounds;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xFF, 0x50, 0x50, 110));
        p.drawRect(QRectF(bottomPiece.left() + 5, bottomPiece.bottom() - 3, bottomPiece.width() - 10, 1.5));
    }
    // Legend, centred on the key's label point (the face sits a little above the key's centre).
    const KeyTableEntry &key = quenlar::keyAt(index);
    const QString label = QString::fromUtf8(key.label.data(), static_cast<int>(key.label.size()));
    // The largest size (11 down to 8 pixels) at which the legend fits the cap's face.
    const qreal room = shape.face.boundingRect().width() - 3;
    int size = 11;
    while (size > 8 && QFontMetricsF(generatorFont(size, 700)).horizontalAdvance(label) > room)
        --size;
    QPointF centre(shape.bounds.center().x() - 0.5, shape.bounds.center().y() - 2);
    if (index == kEnterIndex)
        centre = QPointF(QRectF(kEnterUpper).center().x() - 0.5, kEnterUpper.top() + 14);
    const QRectF box(centre.x() - 40, centre.y() - 9, 80, 18);
    if (lit) {
        for (const QPointF offset : {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)})
            drawText(p, label, box.translated(offset), size, QColor(0xFF, 0x30, 0x30, 110), Qt::AlignCenter, 700);
        drawText(p, label, box, size, QColor(0xFF, 0xF4, 0xF4), Qt::AlignCenter, 700);
    } else {
        drawText(p, label, box, size, QColor(0xCC, 0xCC, 0xD2), Qt::AlignCenter, 600);
    }
    p.restore();
}

QImage keyboardPicture(const QImage &main, Language language, bool lit) {
    QImage image = main.copy(QRect(kPictureOrigin, QSize(kPictureWidth, kPictureHeight)));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Case.
    const QRectF body(5.5, 44.5, kPictureWidth - 11.0, kPictureHeight - 50.0);
    QLinearGradient shell(body.topLeft(), body.bottomLeft());
    shell.setColorAt(0.0, QColor(0x34, 0x34, 0x3A));
    shell.setColorAt(0.25, QColor(0x22, 0x22, 0x27));
    shell.setColorAt(1.0, QColor(0x12, 0x12, 0x15));
    p.setPen(QPen(QColor(0x05, 0x05, 0x06), 1.0));
    p.setBrush(shell);
    p.drawRoundedRect(body, 14, 14);
    p.setPen(QPen(QColor(255, 255, 255, 34), 1.0));
    p.drawLine(QPointF(20, 46), QPointF(kPictureWidth - 20.0, 46));
    // Light bar along the front edge of the case.
    QLinearGradient strip(body.left(), 0, body.right(), 0);
    strip.setColorAt(0.0, QColor(pal::kRedDark));
    strip.setColorAt(0.5, QColor(pal::kRedBright));
    strip.setColorAt(1.0, QColor(pal::kRedDark));
    p.setPen(Qt::NoPen);
    p.setBrush(strip);
    p.drawRoundedRect(QRectF(40, kPictureHeight - 8.0, kPictureWidth - 80.0, 2.0), 1, 1);
    // Switch plate under the keys.
    const QRectF plate(13.5, 105.5, 658, 235);
    p.setPen(QPen(QColor(0x04, 0x04, 0x05), 1.0));
    p.setBrush(QColor(0x0D, 0x0D, 0x10));
    p.drawRoundedRect(plate, 6, 6);
    // Brand and lock indicators on the top bezel.
    QFont brand = generatorFont(18, 800);
    brand.setItalic(true);
    brand.setLetterSpacing(QFont::AbsoluteSpacing, 2.0);
    p.setFont(brand);
    p.setPen(QColor(0xB8, 0xB8, 0xC0));
    p.drawText(QRectF(24, 58, 200, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("QUENLAR"));
    p.fillRect(QRectF(24, 88, 28, 2), QColor(pal::kRed));
    drawText(p, tr(language, "MECHANICAL RGB", "\xE6\x9C\xBA\xE6\xA2\xB0 RGB"), QRectF(60, 82, 200, 14), 9,
             QColor(0x80, 0x80, 0x88), Qt::AlignLeft | Qt::AlignVCenter, 600);
    const char *locks[] = {"1", "A", "S"};
    for (int i = 0; i < 3; ++i) {
        const QPointF dot(590 + 26 * i, 72);
        p.setPen(QPen(QColor(0x05, 0x05, 0x06), 1.0));
        p.setBrush(i == 1 ? QColor(pal::kRedBright) : QColor(0x3A, 0x10, 0x12));
        p.drawEllipse(dot, 3.2, 3.2);
        drawText(p, QString::fromLatin1(locks[i]), QRectF(dot.x() - 6, dot.y() + 6, 12, 12), 9,
                 QColor(0x90, 0x90, 0x98), Qt::AlignCenter, 600);
    }
    for (int index = 0; index < quenlar::kKeyCount; ++index)
        if (quenlar::keyAt(index).onPicture())
            drawCap(p, index, lit);
    return image;
}

} // namespace

void addKeyboardSkin(SkinSet &set, Language language) {
    const QImage main = mainWindowBackground(language);
    set.push_back({QString(), QStringLiteral("kb_BK.png"), keyboardPicture(main, language, false)});
    set.push_back({QString(), QStringLiteral("kb_hl.png"), keyboardPicture(main, language, true)});
}

} // namespace quenlar::skingen
