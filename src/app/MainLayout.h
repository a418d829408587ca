#pragma once
// The main window's regions: the fixed buttons and the sensitive areas of the left panel, the
// folding of its four sections, and the hit test that turns a pointer position into a region.

#include "controls/RegionRecord.h"

#include <array>
#include <cstdint>

namespace quenlar {

// Region codes. 0..21 are kept in the table; 22..34 are worked out by the hit test itself.
namespace region {
inline constexpr int kNone = -1;
inline constexpr int kHelp = 0, kMinimise = 1, kClose = 2;
inline constexpr int kEffectSelector = 3;
inline constexpr int kDirection1 = 4, kDirection2 = 5, kDirection3 = 6, kDirection4 = 7;
inline constexpr int kMacroButton = 9;
inline constexpr int kGameModeOn = 10, kGameModeOff = 11;
inline constexpr int kResponseSelector = 12;
inline constexpr int kProfile = 14, kFactoryReset = 15, kRevert = 16, kApply = 17;
inline constexpr int kLightHeader = 18, kGameHeader = 19, kResponseHeader = 20, kReportHeader = 21;
inline constexpr int kColourCell0 = 22;  // 22..29, inert
inline constexpr int kLogoStrip = 30;    // inert
inline constexpr int kWinLockOn = 31, kWinLockOff = 32;
inline constexpr int kKeymapSwitch = 33, kDiySwitch = 34;
inline constexpr int kTableSize = 22;
} // namespace region

// Which of the left panel's sections show only their header. All unfolded at start.
struct PanelFolding {
    bool light = false;     // LightFolded
    bool game = false;      // GameFolded
    bool response = false;  // ResponseFolded
    bool report = false;    // ReportFolded
    void foldAll() { light = game = response = report = true; }
};

class MainLayout {
public:
    MainLayout();

    PanelFolding folding;

    // The layout rule: c = 30 folded / 225 unfolded Light section; f = 40 / 75 response section.
    int c() const { return folding.light ? 30 : 225; }
    int f() const { return folding.response ? 40 : 75; }
    int responseListTop() const { return c() + 47; }       // ResponseListTop
    int reportBlockTop() const { return c() + 220 + f(); }

    // The region table with the layout applied.
    const controls::RegionRecord &record(int code);
    controls::RegionRect rect(int code) { return record(code).rect; }

    // HitTestRegion: the first region containing (x, y) in the window's order, or region::kNone.
    int hitTestRegion(int x, int y, uint8_t lightEffect);

    // RegionHover and LastHoverRegion.
    bool hovered(int code) const { return code >= 0 && code < 255 && hover_[code] != 0; }
    // Returns whether the window must be repainted (the pointer left every region).
    bool setHover(int code);
    void clearHover() { hover_.fill(0); }
    uint8_t lastHoverRegion() const { return lastHoverRegion_; }

private:
    void applyLayout();

    std::array<controls::RegionRecord, region::kTableSize> table_;
    std::array<uint8_t, 255> hover_{};
    uint8_t lastHoverRegion_ = 255;
};

} // namespace quenlar
