#pragma once
// The window's fixed buttons: help, minimise and close at the top right, and the lower bar with
// the profile manager, factory reset, revert and apply. Each shows its "-over" image while the
// pointer is over its region.

namespace quenlar {

class MainLayout;
struct PanelPainter;

class LowerBar {
public:
    // The caption buttons (drawn first, right after the background).
    static void drawCaptionButtons(PanelPainter &p, MainLayout &layout);
    // The lower buttons and their texts.
    static void draw(PanelPainter &p, MainLayout &layout);
};

} // namespace quenlar
