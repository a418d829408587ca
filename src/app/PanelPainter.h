#pragma once
// What a panel needs to draw itself into the main window's off-screen image.

#include "controls/SkinImageCache.h"
#include "model/Language.h"

#include <QPainter>
#include <QString>

class QWidget;

namespace quenlar {

struct PanelPainter {
    QPainter &painter;
    controls::SkinImageCache &cache;
    const QString &folder;  // the SkinFolder
    Language language;
    const QWidget &window;  // whose coordinates the painter uses (for the sliders)

    void image(const char *fileName, int x, int y);
    void text(const QString &text, int x, int y, int height);
    void text(const char *english, const char *chinese, int x, int y, int height);
};

} // namespace quenlar
