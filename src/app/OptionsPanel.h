#pragma once
// The left panel's blocks under the Light section: the macro button, game mode with the
// Windows-key lock, the key response time with its drop-down list, and the USB report rate with
// its slider. The controls edit only the working image.

#include "model/KeyboardState.h"

#include <cstdint>

namespace quenlar::controls {
class CBitSlider;
}

namespace quenlar {

class MainLayout;
struct PanelPainter;

class OptionsPanel {
public:
    static constexpr int kListLeft = 27, kListRight = 247, kRowHeight = 20, kListRows = 10;

    explicit OptionsPanel(controls::CBitSlider &reportSlider);

    bool responseListOpen = false;  // ResponseListOpen
    uint8_t responseListRow = 255;  // ResponseListRow
    int reportSliderTop = 0;        // ReportSliderTop

    // The row of the response list under (x, y) for a list starting at top, or -1.
    static int listRowAt(int x, int y, int top);
    void listMove(int x, int y, int top);
    // The click always closes the list; on a row it sets responseTime to row + 1.
    void listClick(int x, int y, int top, KeyboardState &state);

    // Regions 10, 11, 31, 32: game mode on also locks the Windows key; the lock only turns on
    // while game mode is on.
    static void applyGameModeRegion(int regionCode, KeyboardState &state);

    // DrawOptionSections: also places the report-rate slider under its header and stores its
    // position into reportRate while the section is unfolded.
    void draw(PanelPainter &p, KeyboardState &state, const MainLayout &layout);
    // DrawResponseList.
    void drawList(PanelPainter &p, int top);

private:
    controls::CBitSlider &report_;
};

} // namespace quenlar
