#pragma once
// Fonts of the skinned windows. Heights are given as the font's cell height in pixels
// (ascent plus descent), the way the skin's coordinates were laid out.

#include <QFont>
#include <QString>

namespace quenlar::controls {

// Families tried in order: the face asked for, then a CJK face for Chinese texts.
QFont skinFont(const QString &face, int cellHeight, int weight);

// The common text style of skinned windows: "Arial", light.
QFont skinTextFont(int cellHeight);

} // namespace quenlar::controls
