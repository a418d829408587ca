#pragma once
// The colours of the skin: a dark gaming-keyboard look with red accents. Shared by the controls
// and by the skin image generator, so that images and code-drawn parts meet without seams.

#include <QColor>

namespace quenlar::controls::palette {

// Backgrounds.
inline constexpr QRgb kWindow = 0xFF161618;      // outer window background
inline constexpr QRgb kPanel = 0xFF1E1E21;       // left panel and dialog bodies
inline constexpr QRgb kPanelRaised = 0xFF2A2A2E; // headers and boxes
inline constexpr QRgb kPanelLine = 0xFF3A3A40;   // thin borders
inline constexpr QRgb kTreeSolid = 0xFF1E1E1E;   // function tree, solid mode: RGB(30, 30, 30)

// Drop-down list rows and bands.
inline constexpr QRgb kListRow = 0xFF3B3B3B;       // RGB(59, 59, 59)
inline constexpr QRgb kListRowHot = 0xFF500000;    // RGB(80, 0, 0)
inline constexpr QRgb kSelectionBand = 0xFF662E2F; // RGB(102, 46, 47)

// Accents.
inline constexpr QRgb kRed = 0xFFD7191F;
inline constexpr QRgb kRedBright = 0xFFFF3B3F;
inline constexpr QRgb kRedDark = 0xFF6E0A0E;
inline constexpr QRgb kGroove = 0xFF0E0E10;
inline constexpr QRgb kGreyTrack = 0xFF47474C;
inline constexpr QRgb kText = 0xFFFFFFFF;
inline constexpr QRgb kTextDim = 0xFFA0A0A8;

} // namespace quenlar::controls::palette
