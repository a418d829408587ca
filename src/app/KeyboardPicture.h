#pragma once
// The keyboard picture on the right of the main window, in its two views: the assignment view
// (changed keys and the key under the pointer shown lit) and the painting view of a custom
// lighting layer (each key in its layer colour, a white outline under the pointer). It owns the
// hover state, the key hit test and what a click on a key does to the image.

#include "keymap/KeyChanged.h"
#include "model/KeyboardState.h"

#include <QString>

#include <cstdint>
#include <optional>

class QPainter;

namespace quenlar::controls {
class SkinImageCache;
}

namespace quenlar {

class KeyboardPicture {
public:
    static constexpr int kOriginX = 278;
    static constexpr int kOriginY = 107;
    static constexpr int kEnterKey = 54;
    static constexpr int kWindowsKey = 96;
    static constexpr int kFnKey = 100;
    static constexpr int kFirstUnpaintedKey = 108;  // 108..112 have no cell in the layers
    static constexpr uint8_t kNoKey = 255;

    uint8_t hoverKey = kNoKey;      // HoverKey
    uint8_t lastHoverKey = kNoKey;  // LastHoverKey
    bool paintMode = false;         // PaintMode: false = assignment view

    // HitTestKey: the first key whose rectangle holds (x, y), edges included; 255 for none. In
    // the assignment view the Windows and Fn keys cannot be selected.
    uint8_t hitTestKey(int x, int y) const;

    // OnPointerMoved: true when the key under the pointer changed and the picture needs a repaint.
    bool onPointerMoved(int x, int y);

    // What a click on the picture asks of the window.
    enum class Click { Nothing, CellToggled, AssignKey };
    // OnKeyClicked: sets HoverKey to the clicked key. In the painting view toggles the key's cell
    // of the shown layer; in the assignment view asks for the key-assignment sequence.
    Click onKeyClicked(int x, int y, KeyboardState &state);

    // The custom layer the painting view shows, if the effect has one (codes 51..55).
    static std::optional<int> shownLayer(uint8_t lightEffect);
    // A click in the painting view: dark 00 00 00 00 <-> lit 00 FF 00 00 (byte 1 decides).
    static void toggleCell(KeyboardState &state, int layer, int key);

    // DrawKeyboardPicture. Clears entry 96 of the changed flags (the Windows key never shows lit).
    void draw(QPainter &painter, controls::SkinImageCache &cache, const QString &folder, const KeyboardState &state,
              KeyChangedFlags &changed) const;

private:
    void drawLitKey(QPainter &painter, controls::SkinImageCache &cache, const QString &folder, int key) const;
    void drawLayer(QPainter &painter, const KeyboardState &state, int layer) const;
};

} // namespace quenlar
