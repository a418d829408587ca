#include "app/PanelPainter.h"

#include "app/Texts.h"
#include "controls/SkinDrawing.h"

namespace quenlar {

void PanelPainter::image(const char *fileName, int x, int y) {
    controls::DrawSkinImage(cache, painter, folder, QString::fromLatin1(fileName), x, y);
}

void PanelPainter::text(const QString &value, int x, int y, int height) {
    controls::DrawSkinText(painter, value, x, y, QColor(255, 255, 255), height);
}

void PanelPainter::text(const char *english, const char *chinese, int x, int y, int height) {
    text(pick(language, english, chinese), x, y, height);
}

} // namespace quenlar
