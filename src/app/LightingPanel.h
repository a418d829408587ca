#pragma once
// The Light section of the left panel: the effect selector and its drop-down list of the
// eighteen effects, the speed and brightness sliders, the direction buttons and, for the custom
// effects, the "Keymap" / "DIY" switch that chooses the keyboard picture's view. Every control
// edits only the working image.

#include "model/KeyboardState.h"

#include <cstdint>

namespace quenlar::controls {
class CBitSlider;
}

namespace quenlar {

struct PanelPainter;

class LightingPanel {
public:
    static constexpr int kListLeft = 28, kListRight = 248, kListTop = 173, kRowHeight = 20;
    static constexpr int kListRows = 18;
    static constexpr int kListBottom = kListTop + kRowHeight * kListRows;  // 533, excluded

    LightingPanel(controls::CBitSlider &speed, controls::CBitSlider &brightness);

    bool effectListOpen = false;  // EffectListOpen
    uint8_t effectListRow = 255;  // EffectListRow

    // The list row under (x, y), or -1 outside the list.
    static int listRowAt(int x, int y);
    // Region 3: opens the list unless the section is folded.
    void openList(bool lightFolded);
    // EffectListMove and EffectListClick. The click always closes the list; on a row it picks
    // that effect, switches the picture's view (painting for a custom effect) and applies the
    // colour rules of Static and Wave.
    void listMove(int x, int y);
    void listClick(int x, int y, KeyboardState &state, bool &paintMode);

    // Regions 4..7: the direction each button gives, by effect.
    static void applyDirection(int regionCode, KeyboardState &state);
    // Built-in effects keep lightColour within 1..8.
    static void applyColourRule(KeyboardState &state);
    // Whether the effect has a speed (all but Static and the codes from 50 on).
    static bool hasSpeed(uint8_t lightEffect) { return lightEffect != 1 && lightEffect < 50; }

    // DrawLightSection: also stores the sliders' positions into lightSpeed and lightBrightness.
    void draw(PanelPainter &p, KeyboardState &state, bool lightFolded, bool paintMode);
    // DrawEffectList, drawn last so that it covers everything under it.
    void drawList(PanelPainter &p);

private:
    void drawDirections(PanelPainter &p, const KeyboardState &state);

    controls::CBitSlider &speed_;
    controls::CBitSlider &brightness_;
    bool paintMode_ = false;  // the view being drawn
};

} // namespace quenlar
