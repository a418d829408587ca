// The main window's skin: background, caption buttons, logo, left-panel sections, lower bar.
#include "SkinCanvas.h"
#include "SkinSet.h"

#include "controls/ProgramBitmaps.h"
#include "controls/SkinPalette.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace quenlar::skingen {

namespace pal = quenlar::controls::palette;

namespace {

constexpr int kMainWidth = 1000;
constexpr int kMainHeight = 644;
constexpr int kPanelWidth = 243; // x 19 to 261

} // namespace

QImage mainWindowBackground(Language language) {
    QImage image = canvas(kMainWidth, kMainHeight, pal::kWindow);
    QPainter p(&image);
    // Title band with a red rule.
    QLinearGradient band(0, 0, 0, 28);
    band.setColorAt(0.0, QColor(0x2A, 0x2A, 0x30));
    band.setColorAt(1.0, QColor(0x1C, 0x1C, 0x20));
    p.fillRect(QRect(0, 0, kMainWidth, 28), band);
    QLinearGradient rule(0, 0, kMainWidth, 0);
    rule.setColorAt(0.0, QColor(pal::kRedBright));
    rule.setColorAt(0.35, QColor(pal::kRed));
    rule.setColorAt(1.0, QColor(0x30, 0x06, 0x08));
    p.fillRect(QRect(0, 27, kMainWidth, 2), rule);
    drawText(p, tr(language, "QUENLAR  \xC2\xB7  Keyboard Configuration", "QUENLAR  \xC2\xB7  \xE9\x94\xAE\xE7\x9B\x98\xE8\xAE\xBE\xE7\xBD\xAE"),
             QRectF(19, 6, 400, 16), 11, QColor(0xB8, 0xB8, 0xC0), Qt::AlignLeft | Qt::AlignVCenter, 600);

    // Left panel column under every section.
    p.setPen(QColor(pal::kPanelLine));
    p.setBrush(QColor(pal::kPanel));
    p.drawRect(17, 106, kPanelWidth + 3, 488);
    // Logo plate.
    p.fillRect(QRect(19, 32, kPanelWidth, 71), QColor(pal::kWindow));

    // The keyboard stands on a faint red glow.
    QRadialGradient glow(620, 470, 360);
    glow.setColorAt(0.0, QColor(150, 14, 20, 90));
    glow.setColorAt(0.55, QColor(90, 8, 12, 35));
    glow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.save();
    p.scale(1.0, 0.22);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(620, 470 / 0.22), 360, 360);
    p.restore();
    // Heading over the keyboard picture.
    drawText(p, tr(language, "KEY ASSIGNMENT", "\xE6\x8C\x89\xE9\x94\xAE\xE8\xAE\xBE\xE7\xBD\xAE"),
             QRectF(290, 44, 300, 20), 15, QColor(0xE8, 0xE8, 0xEC), Qt::AlignLeft | Qt::AlignVCenter, 700);
    drawText(p, tr(language, "Click a key to give it a new function. Lit keys have been changed.",
                   "\xE5\x8D\x95\xE5\x87\xBB\xE6\x8C\x89\xE9\x94\xAE\xE4\xB8\xBA\xE5\x85\xB6\xE8\xAE\xBE\xE7\xBD\xAE"
                   "\xE6\x96\xB0\xE5\x8A\x9F\xE8\x83\xBD\xE3\x80\x82\xE4\xBA\xAE\xE8\xB5\xB7\xE7\x9A\x84\xE6\x8C\x89"
                   "\xE9\x94\xAE\xE5\xB7\xB2\xE8\xA2\xAB\xE6\x9B\xB4\xE6\x94\xB9\xE3\x80\x82"),
             QRectF(290, 66, 600, 16), 12, QColor(0x90, 0x90, 0x98), Qt::AlignLeft | Qt::AlignVCenter);
    p.fillRect(QRect(290, 88, 46, 2), QColor(pal::kRed));
    p.fillRect(QRect(338, 88, 610, 1), QColor(pal::kPanelLine));

    // Legend under the keyboard picture: what an unlit and a lit key mean.
    auto swatch = [&p](int x, bool lit) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(lit ? QColor(pal::kRedBright) : QColor(0x08, 0x08, 0x0A), 1.0));
        p.setBrush(lit ? QColor(0x80, 0x10, 0x16) : QColor(0x22, 0x22, 0x27));
        p.drawRoundedRect(QRectF(x + 0.5, 486.5, 21, 19), 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(lit ? QColor(0x5C, 0x1A, 0x1E) : QColor(0x3A, 0x3A, 0x41));
        p.drawRoundedRect(QRectF(x + 3, 488, 15, 12), 2, 2);
        p.restore();
    };
    swatch(300, false);
    drawText(p, tr(language, "Default function", "\xE9\xBB\x98\xE8\xAE\xA4\xE5\x8A\x9F\xE8\x83\xBD"),
             QRectF(330, 487, 160, 18), 12, QColor(0xA8, 0xA8, 0xB0), Qt::AlignLeft | Qt::AlignVCenter);
    swatch(480, true);
    drawText(p, tr(language, "Changed function (sent to the keyboard with Save)",
                   "\xE5\xB7\xB2\xE6\x9B\xB4\xE6\x94\xB9\xE7\x9A\x84\xE5\x8A\x9F\xE8\x83\xBD"
                   "\xEF\xBC\x88\xE7\x82\xB9\xE5\x87\xBB\xE2\x80\x9C\xE4\xBF\x9D\xE5\xAD\x98\xE2\x80\x9D"
                   "\xE5\x90\x8E\xE5\x86\x99\xE5\x85\xA5\xE9\x94\xAE\xE7\x9B\x98\xEF\xBC\x89"),
             QRectF(510, 487, 420, 18), 12, QColor(0xA8, 0xA8, 0xB0), Qt::AlignLeft | Qt::AlignVCenter);

    // Lower bar.
    QLinearGradient lower(0, 596, 0, kMainHeight);
    lower.setColorAt(0.0, QColor(0x24, 0x24, 0x28));
    lower.setColorAt(1.0, QColor(0x14, 0x14, 0x16));
    p.fillRect(QRect(0, 596, kMainWidth, kMainHeight - 596), lower);
    p.fillRect(QRect(0, 596, kMainWidth, 1), QColor(pal::kPanelLine));
    p.fillRect(QRect(0, 597, kMainWidth, 1), QColor(255, 255, 255, 18));
    // Window frame with red corners.
    p.setPen(QColor(0x3C, 0x3C, 0x44));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, kMainWidth - 1, kMainHeight - 1);
    p.setPen(QPen(QColor(pal::kRed), 2));
    p.drawLine(1, 1, 60, 1);
    p.drawPolyline(QPolygon({QPoint(kMainWidth - 41, kMainHeight - 2), QPoint(kMainWidth - 2, kMainHeight - 2),
                             QPoint(kMainWidth - 2, kMainHeight - 41)}));
    return image;
}

namespace {

QImage crop(const QImage &from, int x, int y, int w, int h) { return from.copy(x, y, w, h); }

QImage logo(const QImage &main, Language language) {
    QImage image = crop(main, 19, 35, kPanelWidth, 64);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    // A slanted red badge and the word mark.
    QLinearGradient badge(0, 6, 0, 44);
    badge.setColorAt(0.0, QColor(pal::kRedBright));
    badge.setColorAt(1.0, QColor(pal::kRedDark));
    p.setPen(Qt::NoPen);
    p.setBrush(badge);
    p.drawPolygon(QPolygonF({QPointF(6, 44), QPointF(20, 6), QPointF(38, 6), QPointF(24, 44)}));
    p.setBrush(QColor(0xF0, 0xF0, 0xF4));
    p.drawPolygon(QPolygonF({QPointF(27, 44), QPointF(41, 6), QPointF(47, 6), QPointF(33, 44)}));
    QFont word = generatorFont(34, 800);
    word.setItalic(true);
    word.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(word);
    QLinearGradient metal(0, 8, 0, 44);
    metal.setColorAt(0.0, QColor(0xFF, 0xFF, 0xFF));
    metal.setColorAt(0.6, QColor(0xC8, 0xC8, 0xD0));
    metal.setColorAt(1.0, QColor(0x88, 0x88, 0x92));
    p.setPen(QPen(QBrush(metal), 1));
    p.drawText(QRectF(54, 2, 189, 46), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("QUENLAR"));
    p.fillRect(QRectF(54, 47, 150, 1.5), QColor(pal::kRed));
    QFont sub = generatorFont(11, 600);
    sub.setLetterSpacing(QFont::AbsoluteSpacing, language == Language::Chinese ? 3.0 : 2.2);
    p.setFont(sub);
    p.setPen(QColor(0xB0, 0xB0, 0xB8));
    p.drawText(QRectF(54, 49, 189, 15), Qt::AlignLeft | Qt::AlignVCenter,
               tr(language, "RGB GAMING KEYBOARD", "RGB \xE6\xB8\xB8\xE6\x88\x8F\xE9\x94\xAE\xE7\x9B\x98"));
    return image;
}

QImage panelImage(int height) { return canvas(kPanelWidth, height, pal::kPanel); }

// A section: header bar on top, body below in the panel colour with a soft bottom edge.
QImage section(int height, int chevron, bool split, Glyph icon) {
    QImage image = panelImage(height);
    QPainter p(&image);
    headerBar(p, kPanelWidth, chevron, split);
    if (chevron == 0)
        drawGlyph(p, icon, QRectF(kPanelWidth - 18, 3, 11, 13), QColor(pal::kRedBright), 1.5);
    if (height > 21) {
        p.setPen(QColor(0x26, 0x26, 0x2A));
        p.drawLine(8, height - 1, kPanelWidth - 9, height - 1);
    }
    return image;
}

QImage selectorBox() {
    QImage image = canvas(221, 16, pal::kPanel);
    QPainter p(&image);
    sunkenField(p, QRectF(0, 0, 221, 16), 3);
    p.fillRect(QRect(203, 2, 1, 12), QColor(0x38, 0x38, 0x3E));
    drawGlyph(p, Glyph::Down, QRectF(208, 4, 9, 8), QColor(pal::kRedBright), 1.7);
    return image;
}

QImage directionButton(Glyph arrow, bool enabled) {
    QImage image = canvas(36, 16, pal::kPanel);
    QPainter p(&image);
    if (enabled)
        raisedBox(p, QRectF(0, 0, 36, 16), QColor(pal::kRedBright), QColor(pal::kRedDark), QColor(0xFF, 0x8A, 0x8C), 4);
    else
        raisedBox(p, QRectF(0, 0, 36, 16), QColor(0x3A, 0x3A, 0x40), QColor(0x22, 0x22, 0x26), QColor(0x0C, 0x0C, 0x0E), 4);
    const bool vertical = arrow == Glyph::Up || arrow == Glyph::Down;
    const QRectF box = vertical ? QRectF(13, 4, 10, 8) : QRectF(14, 3, 8, 10);
    drawGlyph(p, arrow, box, enabled ? QColor(Qt::white) : QColor(0x84, 0x84, 0x8C), 2.0);
    return image;
}

// The Light section's body: the effect selector, direction row and brightness slider area.
QImage lightBody() {
    QImage image = panelImage(205); // y 130 to 334
    QPainter p(&image);
    p.setPen(QColor(0x2C, 0x2C, 0x32));
    p.drawLine(9, 110, kPanelWidth - 10, 110); // between the direction row and the sliders (y 240)
    p.fillRect(QRect(9, 110, 24, 1), QColor(pal::kRedDark));
    p.setPen(QColor(0x26, 0x26, 0x2A));
    p.drawLine(8, 204, kPanelWidth - 9, 204);
    return image;
}

// The speed area (y 245 to 334) over the Light body: tick marks under the speed track, one per step.
QImage speedArea(const QImage &body) {
    QImage image = body.copy(0, 115, kPanelWidth, 90);
    QPainter p(&image);
    for (int step = 0; step <= 9; ++step) {
        const int x = 9 + 7 + step * 205 / 9; // thumb centre over the track at x 28
        p.fillRect(QRect(x, 76, 1, step % 9 == 0 ? 4 : 3), step % 9 == 0 ? QColor(pal::kRed) : QColor(0x5A, 0x5A, 0x62));
    }
    return image;
}

QImage macroBlockBackground() {
    QImage image = panelImage(55);
    QPainter p(&image);
    p.setPen(QColor(0x26, 0x26, 0x2A));
    p.drawLine(8, 0, kPanelWidth - 9, 0);
    return image;
}

QImage macroButton() {
    QImage image = canvas(241, 19, pal::kPanel);
    QPainter p(&image);
    raisedBox(p, QRectF(0, 0, 241, 19), QColor(0xB4, 0x18, 0x1E), QColor(0x5E, 0x08, 0x0C), QColor(0x24, 0x02, 0x04), 4);
    drawGlyph(p, Glyph::Gear, QRectF(219, 3, 13, 13), QColor(0xFF, 0xD0, 0xD0), 1.3);
    return image;
}

QImage gameModeOpen() {
    QImage image = section(50, 2, true, Glyph::Gear);
    return image;
}

QImage reportRateOpen() {
    QImage image = section(48, 2, false, Glyph::Gear);
    QPainter p(&image);
    for (int step = 0; step <= 3; ++step) {
        const int x = 9 + 7 + step * 205 / 3;
        p.fillRect(QRect(x, 41, 1, 4), step == 0 || step == 3 ? QColor(pal::kRed) : QColor(0x5A, 0x5A, 0x62));
    }
    return image;
}

QImage profileButton(const QImage &main) {
    QImage image = crop(main, 17, 603, 75, 33);
    QPainter p(&image);
    buttonFace(p, QRectF(2, 2, 71, 29), false, false, 4);
    drawGlyph(p, Glyph::Folder, QRectF(9, 9, 16, 13), QColor(pal::kRedBright), 1.5);
    return image;
}

QImage lowerButton(const QImage &main, int x, bool hot) {
    QImage image = crop(main, x, 605, 58, 31);
    QPainter p(&image);
    buttonFace(p, QRectF(0, 0, 58, 31), hot, false, 4);
    return image;
}

QImage helpWindow(const QImage &main) {
    QImage image = crop(main, 830, 22, 167, 78);
    QPainter p(&image);
    raisedBox(p, QRectF(0, 0, 167, 78), QColor(0x30, 0x30, 0x36), QColor(0x1A, 0x1A, 0x1E), QColor(pal::kRed), 3);
    for (int line = 0; line < 3; ++line) {
        p.fillRect(QRect(9, 9 + 25 * line, 4, 4), QColor(pal::kRedBright));
        if (line > 0)
            p.fillRect(QRect(8, 25 * line, 151, 1), QColor(0x3A, 0x3A, 0x42));
    }
    return image;
}

} // namespace

void addMainWindowSkin(SkinSet &set, Language language) {
    const QImage main = mainWindowBackground(language);
    auto add = [&set](const char *name, const QImage &image) { set.push_back({QString(), QString::fromLatin1(name), image}); };
    add("main.png", main);
    const QRgb bar = main.pixel(940, 12);
    add("button-help-normal.png", captionButton(Glyph::Question, false, false, 17, 16, bar));
    add("button-help-over.png", captionButton(Glyph::Question, true, false, 17, 16, bar));
    add("button-min-normal.png", captionButton(Glyph::Minus, false, false, 17, 16, bar));
    add("button-min-over.png", captionButton(Glyph::Minus, true, false, 17, 16, bar));
    add("button-close-normal.png", captionButton(Glyph::Cross, false, true, 17, 16, bar));
    add("button-close-over.png", captionButton(Glyph::Cross, true, true, 17, 16, bar));
    add("logo.png", logo(main, language));

    add("itemBK.png", section(20, 0, false, Glyph::Bulb));
    const QImage body = lightBody();
    add("LEDEffect_open.png", body);
    add("freq.png", speedArea(body));
    add("Light_Item.png", selectorBox());
    add("Direction-T-Enable.png", directionButton(Glyph::Up, true));
    add("Direction-T-Disable.png", directionButton(Glyph::Up, false));
    add("Direction-B-Enable.png", directionButton(Glyph::Down, true));
    add("Direction-B-Disable.png", directionButton(Glyph::Down, false));
    add("Direction-L-Enable.png", directionButton(Glyph::Left, true));
    add("Direction-L-Disable.png", directionButton(Glyph::Left, false));
    add("Direction-R-Enable.png", directionButton(Glyph::Right, true));
    add("Direction-R-Disable.png", directionButton(Glyph::Right, false));
    add("Enable.png", radioMark(true, pal::kPanel));
    add("Disable.png", radioMark(false, pal::kPanel));
    QImage thumb = canvas(15, 14, pal::kPanel);
    controls::paintSliderThumb(thumb);
    add("Thumb.png", thumb);

    add("MacroManagementBK.png", macroBlockBackground());
    add("MacroButton3.png", macroButton());
    add("gamemode_Close.png", section(21, 1, language == Language::English, Glyph::Gear));
    add("gamemode_open.png", gameModeOpen());
    add("responsetime_close.png", section(21, 1, false, Glyph::Gear));
    add("responsetime_open.png", section(50, 2, false, Glyph::Gear));
    add("reportrate_Close.png", section(21, 1, false, Glyph::Gear));
    add("reportrate_Open.png", reportRateOpen());

    add("Config.png", profileButton(main));
    add("button-cancel-normal.png", lowerButton(main, 800, false));
    add("button-cancel-over.png", lowerButton(main, 800, true));
    add("HelpWindow.png", helpWindow(main));
}

} // namespace quenlar::skingen
