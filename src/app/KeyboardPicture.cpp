#include "app/KeyboardPicture.h"

#include "controls/SkinDrawing.h"
#include "model/KeyTable.h"

#include <QPainter>
#include <QPolygon>

namespace quenlar {

using controls::DrawSkinImage;
using controls::DrawSkinImagePart;
using controls::DrawSkinText;

namespace {
const QString kUnlit = QStringLiteral("kb_BK.png");
const QString kLit = QStringLiteral("kb_hl.png");

QRect windowRect(const KeyRect &r) {
    // Right and bottom edges excluded, as the fills of the painting view want them.
    return QRect(QPoint(r.left + KeyboardPicture::kOriginX, r.top + KeyboardPicture::kOriginY),
                 QPoint(r.right + KeyboardPicture::kOriginX - 1, r.bottom + KeyboardPicture::kOriginY - 1));
}
} // namespace

uint8_t KeyboardPicture::hitTestKey(int x, int y) const {
    for (int i = 0; i < kKeyCount; ++i) {
        const KeyRect &r = keyAt(i).rect;
        if (r.empty())
            continue;
        if (r.contains(x - kOriginX, y - kOriginY)) {
            if (!paintMode && (i == kWindowsKey || i == kFnKey))
                return kNoKey;
            return static_cast<uint8_t>(i);
        }
    }
    return kNoKey;
}

bool KeyboardPicture::onPointerMoved(int x, int y) {
    hoverKey = hitTestKey(x, y);
    if (hoverKey == lastHoverKey)
        return false;
    lastHoverKey = hoverKey;
    return true;
}

std::optional<int> KeyboardPicture::shownLayer(uint8_t lightEffect) {
    if (lightEffect >= kFirstCustomEffect && lightEffect < kFirstCustomEffect + kCustomLayerCount)
        return lightEffect - kFirstCustomEffect;
    return std::nullopt;
}

void KeyboardPicture::toggleCell(KeyboardState &state, int layer, int key) {
    auto cells = state.customLayer(layer);
    const int offset = keyAt(key).ledOffset;
    if (offset + 3 >= kCustomLayerSize)
        return;
    const bool dark = cells[offset + 1] == 0;
    cells[offset + 0] = 0;
    cells[offset + 1] = dark ? 0xFF : 0;
    cells[offset + 2] = 0;
    cells[offset + 3] = 0;
}

KeyboardPicture::Click KeyboardPicture::onKeyClicked(int x, int y, KeyboardState &state) {
    hoverKey = hitTestKey(x, y);
    if (hoverKey == kNoKey)
        return Click::Nothing;
    if (!paintMode)
        return Click::AssignKey;
    // A painting view without a layer (the effect changed under it) has nothing to paint.
    const auto layer = shownLayer(state.lightEffect);
    if (!layer || hoverKey >= kFirstUnpaintedKey)
        return Click::Nothing;
    toggleCell(state, *layer, hoverKey);
    return Click::CellToggled;
}

void KeyboardPicture::drawLitKey(QPainter &painter, controls::SkinImageCache &cache, const QString &folder,
                                 int key) const {
    const KeyRect &r = keyAt(key).rect;
    if (r.empty())
        return;
    if (key == kEnterKey) {
        DrawSkinImagePart(cache, painter, folder, kLit, QRect(r.left, r.top, 57, 33),
                          QPoint(r.left + kOriginX, r.top + kOriginY));
        DrawSkinImagePart(cache, painter, folder, kLit, QRect(504, 224, 44, 38), QPoint(782, 331));
        return;
    }
    DrawSkinImagePart(cache, painter, folder, kLit, QRect(r.left, r.top, r.right - r.left, r.bottom - r.top),
                      QPoint(r.left + kOriginX, r.top + kOriginY));
}

void KeyboardPicture::drawLayer(QPainter &painter, const KeyboardState &state, int layer) const {
    const auto cells = state.customLayer(layer);
    for (int i = 0; i < kFirstUnpaintedKey; ++i) {
        const KeyTableEntry &key = keyAt(i);
        if (!key.onPicture() || key.ledOffset + 3 >= kCustomLayerSize)
            continue;
        const int red = cells[key.ledOffset + 3], green = cells[key.ledOffset + 2], blue = cells[key.ledOffset + 1];
        if (red == 0 && green == 0 && blue == 0)
            continue;
        const QColor colour(red, green, blue);
        if (i == kEnterKey) {
            painter.fillRect(QRect(QPoint(771, 300), QPoint(823, 331)), colour);
            painter.fillRect(QRect(QPoint(782, 330), QPoint(823, 366)), colour);
        } else {
            painter.fillRect(windowRect(key.rect), colour);
        }
        DrawSkinText(painter, QString::fromUtf8(key.label.data(), static_cast<int>(key.label.size())),
                     key.labelAt.x + 273, key.labelAt.y + 102, QColor(255 - red, 255 - green, 255 - blue), 10);
    }
    if (hoverKey == kNoKey)
        return;
    painter.save();
    painter.setPen(QPen(QColor(255, 255, 255), 1));
    painter.setBrush(Qt::NoBrush);
    if (hoverKey == kEnterKey) {
        const QPolygon outline({QPoint(771, 300), QPoint(824, 300), QPoint(824, 367), QPoint(782, 367),
                                QPoint(782, 332), QPoint(771, 332)});
        painter.drawPolygon(outline);
    } else {
        const KeyRect &r = keyAt(hoverKey).rect;
        const QPoint a(r.left + 276, r.top + 105), b(r.left + 276, r.bottom + 108);
        const QPoint c(r.right + 279, r.bottom + 108), d(r.right + 279, r.top + 105);
        painter.drawPolygon(QPolygon({a, b, c, d}));
    }
    painter.restore();
}

void KeyboardPicture::draw(QPainter &painter, controls::SkinImageCache &cache, const QString &folder,
                           const KeyboardState &state, KeyChangedFlags &changed) const {
    DrawSkinImage(cache, painter, folder, kUnlit, kOriginX, kOriginY);
    if (!paintMode) {
        if (hoverKey != kNoKey)
            drawLitKey(painter, cache, folder, hoverKey);
        changed[kWindowsKey] = 0;
        for (int i = 0; i < kKeyCount; ++i)
            if (changed[i] == 1)
                drawLitKey(painter, cache, folder, i);
        return;
    }
    if (const auto layer = shownLayer(state.lightEffect))
        drawLayer(painter, state, *layer);
}

} // namespace quenlar
