#pragma once
// The small help panel under the caption buttons: the home page, the firmware updater and the
// program's version. While it is open it takes every click, and every click closes it.

#include <cstdint>

namespace quenlar {

struct PanelPainter;
struct PackagedVersion;

class HelpPanel {
public:
    bool open = false;  // HelpOpen

    enum class Line { Outside, HomePage, UpdateFirmware, Version, Below };
    // The line of the panel's sensitive area (830, 22)-(996, 99) under (x, y).
    static Line lineAt(int x, int y);
    // Line 1 starts the updater only for a keyboard that reported major version 1 or more and a
    // packaged firmware whose major digit is above 1.
    static bool updaterOffered(uint8_t keyboardMajor, uint8_t packagedMajor);

    void draw(PanelPainter &p) const;
};

} // namespace quenlar
