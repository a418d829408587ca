#include "controls/SkinFont.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace quenlar::controls {

namespace {
// Arial (and the metric-compatible Liberation Sans): ascent 1854 + descent 434 units per 2048-unit em.
constexpr double kCellPerEm = (1854.0 + 434.0) / 2048.0;
} // namespace

QFont skinFont(const QString &face, int cellHeight, int weight) {
    QFont font;
    font.setFamilies({face, QStringLiteral("Liberation Sans"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(cellHeight / kCellPerEm))));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 100, 900)));
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont skinTextFont(int cellHeight) { return skinFont(QStringLiteral("Arial"), cellHeight, 300); }

} // namespace quenlar::controls
