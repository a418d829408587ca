// The dialogs' skins: key assignment (Custom/), macro manager (MacroManagement/) and profile
// manager (Config/). Each element is drawn on a copy of its dialog's background at its place.
#include "SkinCanvas.h"
#include "SkinSet.h"

#include "controls/ProgramBitmaps.h"
#include "controls/SkinPalette.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace quenlar::skingen {

namespace pal = quenlar::controls::palette;

namespace {

void titleBand(QPainter &p, int width, int height) {
    QLinearGradient band(0, 0, 0, height);
    band.setColorAt(0.0, QColor(0x34, 0x34, 0x3A));
    band.setColorAt(1.0, QColor(0x1E, 0x1E, 0x22));
    p.fillRect(QRect(0, 0, width, height), band);
    QLinearGradient rule(0, 0, width, 0);
    rule.setColorAt(0.0, QColor(pal::kRedBright));
    rule.setColorAt(0.5, QColor(pal::kRed));
    rule.setColorAt(1.0, QColor(pal::kRedDark));
    p.fillRect(QRect(0, height, width, 2), rule);
}

void dialogFrame(QPainter &p, int width, int height) {
    p.setPen(QColor(0x46, 0x46, 0x4E));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, width - 1, height - 1);
    p.setPen(QPen(QColor(pal::kRed), 2));
    p.drawLine(1, 1, 40, 1);
    p.drawPolyline(QPolygon({QPoint(width - 25, height - 2), QPoint(width - 2, height - 2), QPoint(width - 2, height - 25)}));
}

QImage at(const QImage &background, int x, int y, int w, int h) { return background.copy(x, y, w, h); }

QImage buttonOn(const QImage &background, const QRect &r, bool hot, bool accent) {
    QImage image = at(background, r.x(), r.y(), r.width(), r.height());
    QPainter p(&image);
    buttonFace(p, QRectF(0, 0, r.width(), r.height()), hot, accent, 4);
    return image;
}

QImage radioOn(const QImage &background, int x, int y, bool lit) {
    QImage mark = radioMark(lit, background.pixel(x, y));
    return mark;
}

// ---- Key assignment dialog (Custom/) ----------------------------------------------------

constexpr int kCustomWidth = 326, kCustomHeight = 276;

QImage customBackground() {
    QImage image = canvas(kCustomWidth, kCustomHeight, pal::kPanel);
    QPainter p(&image);
    titleBand(p, kCustomWidth, 22);
    p.fillRect(QRect(0, 24, kCustomWidth, 7), QColor(pal::kWindow));
    // Page area.
    QLinearGradient well(0, 58, 0, 240);
    well.setColorAt(0.0, QColor(0x19, 0x19, 0x1C));
    well.setColorAt(1.0, QColor(0x22, 0x22, 0x26));
    p.fillRect(QRect(0, 58, kCustomWidth, 182), well);
    p.fillRect(QRect(0, 240, kCustomWidth, 1), QColor(pal::kPanelLine));
    p.fillRect(QRect(0, 241, kCustomWidth, 1), QColor(255, 255, 255, 16));
    dialogFrame(p, kCustomWidth, kCustomHeight);
    return image;
}

QImage pageTab(const QImage &background) {
    QImage image = at(background, 0, 31, 82, 27);
    QPainter p(&image);
    QLinearGradient face(0, 0, 0, 27);
    face.setColorAt(0.0, QColor(0x3A, 0x3A, 0x42));
    face.setColorAt(1.0, QColor(0x24, 0x24, 0x29));
    p.fillRect(QRect(0, 0, 82, 27), face);
    p.fillRect(QRect(81, 3, 1, 22), QColor(0x12, 0x12, 0x14));
    p.fillRect(QRect(0, 3, 1, 22), QColor(255, 255, 255, 22));
    p.fillRect(QRect(0, 26, 82, 1), QColor(0x0E, 0x0E, 0x10));
    return image;
}

QImage tabRail() {
    QImage image = canvas(326, 7, 0xFF101012);
    QPainter p(&image);
    p.fillRect(QRect(0, 5, 326, 1), QColor(pal::kRedDark));
    p.fillRect(QRect(0, 6, 326, 1), QColor(0x08, 0x08, 0x0A));
    return image;
}

QImage pageMarker(const QImage &rail) {
    QImage image = rail.copy(35, 0, 11, 7);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(pal::kRedBright));
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(11, 0), QPointF(5.5, 6)}));
    p.setBrush(QColor(255, 200, 200, 160));
    p.drawRect(QRectF(2, 0, 7, 1));
    return image;
}

QImage advanceRows(const QImage &background) {
    QImage image = at(background, 15, 66, 292, 112);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0x34, 0x34, 0x3A), 1.0));
    p.setBrush(QColor(pal::kPanel));
    p.drawRoundedRect(QRectF(0.5, 0.5, 291, 111), 4, 4);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int row = 1; row < 4; ++row)
        p.fillRect(QRect(6, 30 * row - 5, 280, 1), QColor(0x2C, 0x2C, 0x32));
    return image;
}

QImage pathField(const QImage &rows) {
    QImage image = rows.copy(70, 2, 159, 16);
    QPainter p(&image);
    sunkenField(p, QRectF(0, 0, 159, 16), 3);
    return image;
}

QImage browseButton(const QImage &rows, Language language, bool hot) {
    QImage image = rows.copy(241, 2, 47, 16);
    QPainter p(&image);
    buttonFace(p, QRectF(0, 0, 47, 16), hot, false, 3);
    drawText(p, tr(language, "Browse", "\xE6\xB5\x8F\xE8\xA7\x88"), QRectF(0, 0, 47, 16), 10,
             hot ? QColor(Qt::white) : QColor(0xD8, 0xD8, 0xDE), Qt::AlignCenter, 600);
    return image;
}

// ---- Macro manager (MacroManagement/) -----------------------------------------------------

constexpr int kMacroWidth = 410, kMacroHeight = 436;

QImage optionsPanel() {
    QImage image = canvas(120, 305, pal::kPanel);
    QPainter p(&image);
    const QImage list = controls::ProgramBitmaps::listBackground();
    // The same look as the lists: header band, red rule, dark body.
    p.drawImage(QRect(0, 0, 120, 22), list, QRect(0, 0, 1, 22));
    p.drawImage(QRect(0, 22, 120, 276), list, QRect(3, 22, 1, 276));
    p.drawImage(QRect(0, 298, 120, 7), list, QRect(3, 298, 1, 7));
    p.setPen(QColor(pal::kPanelLine));
    p.drawRect(0, 0, 119, 304);
    // Separators between the option groups.
    p.fillRect(QRect(8, 82, 104, 1), QColor(0x2C, 0x2C, 0x32));
    p.fillRect(QRect(8, 232, 104, 1), QColor(0x2C, 0x2C, 0x32));
    return image;
}

QImage macroBackground(Language language) {
    QImage image = canvas(kMacroWidth, kMacroHeight, pal::kPanel);
    QPainter p(&image);
    titleBand(p, kMacroWidth, 34);
    const QImage list = controls::ProgramBitmaps::listBackground();
    p.drawImage(13, 58, list);
    p.drawImage(143, 58, list);
    p.drawImage(283, 58, optionsPanel());
    // Loop count field under the child edit control.
    sunkenField(p, QRectF(295, 330, 86, 20), 3);
    p.fillRect(QRect(0, 396, kMacroWidth, 1), QColor(pal::kPanelLine));
    // Hint in the corner of the title band.
    drawText(p, tr(language, "Record  \xC2\xB7  Edit  \xC2\xB7  Loop", "\xE5\xBD\x95\xE5\x88\xB6  \xC2\xB7  \xE7\xBC\x96\xE8\xBE\x91  \xC2\xB7  \xE5\xBE\xAA\xE7\x8E\xAF"),
             QRectF(220, 9, 176, 18), 11, QColor(0x88, 0x88, 0x90), Qt::AlignRight | Qt::AlignVCenter);
    dialogFrame(p, kMacroWidth, kMacroHeight);
    return image;
}

QImage recordButton(const QImage &background, bool hot) {
    QImage image = at(background, 290, 100, 90, 25);
    QPainter p(&image);
    buttonFace(p, QRectF(0, 0, 90, 25), hot, true, 5);
    return image;
}

QImage tickBox(const QImage &background, int x, int y, bool ticked) {
    QImage image = at(background, x, y, 15, 15);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(ticked ? QColor(pal::kRedBright) : QColor(0x70, 0x70, 0x78), 1.0));
    p.setBrush(ticked ? QColor(0x3A, 0x08, 0x0C) : QColor(0x10, 0x10, 0x12));
    p.drawRoundedRect(QRectF(0.5, 0.5, 14, 14), 3, 3);
    if (ticked)
        drawGlyph(p, Glyph::Tick, QRectF(3, 3.5, 9, 8), QColor(Qt::white), 2.0);
    return image;
}

// ---- Profile manager (Config/) ------------------------------------------------------------

constexpr int kConfigWidth = 264, kConfigHeight = 628;

QImage configBackground() {
    QImage image = canvas(kConfigWidth, kConfigHeight, pal::kPanel);
    QPainter p(&image);
    titleBand(p, kConfigWidth, 31);
    // The profile list's well (x 1 to 260, y 34 to 573); the list shows these pixels.
    QLinearGradient well(0, 34, 0, 574);
    well.setColorAt(0.0, QColor(0x1A, 0x1A, 0x1E));
    well.setColorAt(1.0, QColor(0x10, 0x10, 0x12));
    p.fillRect(QRect(1, 34, 260, 540), well);
    QRadialGradient mark(131, 470, 90);
    mark.setColorAt(0.0, QColor(160, 16, 22, 40));
    mark.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(mark);
    p.drawEllipse(QPointF(131, 470), 90, 90);
    drawGlyph(p, Glyph::Folder, QRectF(106, 452, 50, 36), QColor(255, 255, 255, 22), 2.0);
    p.fillRect(QRect(1, 574, 260, 1), QColor(pal::kPanelLine));
    dialogFrame(p, kConfigWidth, kConfigHeight);
    return image;
}

QImage tileButton(const QImage &background, int x, Glyph glyph) {
    QImage image = at(background, x, 575, 67, 50);
    QPainter p(&image);
    buttonFace(p, QRectF(0, 0, 67, 50), false, false, 5);
    p.fillRect(QRect(6, 21, 55, 1), QColor(0x16, 0x16, 0x1A));
    drawGlyph(p, glyph, QRectF(25, 27, 17, 17), QColor(pal::kRedBright), 2.2);
    return image;
}

} // namespace

void addKeyAssignmentSkin(SkinSet &set, Language language) {
    const QString folder = QStringLiteral("Custom");
    auto add = [&](const char *name, const QImage &image) { set.push_back({folder, QString::fromLatin1(name), image}); };
    const QImage background = customBackground();
    add("Custom_BK.png", background);
    const QRgb band = background.pixel(305, 8);
    add("button-close-normal.png", captionButton(Glyph::Cross, false, true, 16, 16, band));
    add("button-close-over.png", captionButton(Glyph::Cross, true, true, 16, 16, band));
    add("large_button.png", pageTab(background));
    const QImage rail = tabRail();
    add("single_combine_option.png", rail);
    add("cursor.png", pageMarker(rail));
    add("Disable.png", radioOn(background, 19, 251, false));
    add("Enable.png", radioOn(background, 19, 251, true));
    add("button-cancel-normal.png", buttonOn(background, QRect(156, 246, 42, 23), false, false));
    add("button-cancel-over.png", buttonOn(background, QRect(156, 246, 42, 23), true, false));
    add("button-save-normal.png", buttonOn(background, QRect(264, 246, 42, 23), false, true));
    add("button-save-over.png", buttonOn(background, QRect(264, 246, 42, 23), true, true));
    const QImage rows = advanceRows(background);
    add("Macro_BK.png", rows);
    add("Advanced.png", pathField(rows));
    add("view.png", browseButton(rows, language, false));
    add("view02.png", browseButton(rows, language, true));
}

void addMacroManagerSkin(SkinSet &set, Language language) {
    const QString folder = QStringLiteral("MacroManagement");
    auto add = [&](const char *name, const QImage &image) { set.push_back({folder, QString::fromLatin1(name), image}); };
    const QImage background = macroBackground(language);
    add("MacroManagement.png", background);
    add("Record-normal.png", recordButton(background, false));
    add("Record-over.png", recordButton(background, true));
    add("Pane.png", tickBox(background, 368, 168, false));
    add("PaneMakingTick.png", tickBox(background, 368, 168, true));
    add("button-new-normal.png", buttonOn(background, QRect(20, 368, 58, 25), false, false));
    add("button-new-over.png", buttonOn(background, QRect(20, 368, 58, 25), true, false));
}

void addProfileManagerSkin(SkinSet &set, Language) {
    const QString folder = QStringLiteral("Config");
    auto add = [&](const char *name, const QImage &image) { set.push_back({folder, QString::fromLatin1(name), image}); };
    const QImage background = configBackground();
    add("Config.png", background);
    add("button-close-normal.png", captionButton(Glyph::Cross, false, true, 16, 15, background.pixel(250, 12)));
    add("New.png", tileButton(background, 13, Glyph::Plus));
    add("Delete.png", tileButton(background, 183, Glyph::Trash));
}

} // namespace quenlar::skingen
