#pragma once
// Drawing primitives of the skin generator: panels, header bars, buttons, glyphs and texts in
// the program's dark style with red accents. Every image is drawn opaque on the colour it will
// be shown on, because the program copies skin images without blending them.

#include "model/Language.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

namespace quenlar::skingen {

using quenlar::Language;

QImage canvas(int width, int height, QRgb fill);

// A raised box with a vertical gradient, a 1-pixel border and rounded corners.
void raisedBox(QPainter &p, const QRectF &r, const QColor &top, const QColor &bottom, const QColor &border,
               qreal radius);

// A sunken field: dark inside, darker top edge, faint lower edge.
void sunkenField(QPainter &p, const QRectF &r, qreal radius);

// A section header bar, the full image width, 21 pixels high from y = 0. The title is written
// by the program at the bar's left edge. `chevron`: 0 none, 1 folded (points right), 2 open.
void headerBar(QPainter &p, int width, int chevron, bool splitAt130);

// A push button face. `hot`: pointer over it; `accent`: red face (Save, record).
void buttonFace(QPainter &p, const QRectF &r, bool hot, bool accent, qreal radius = 4);

enum class Glyph { Up, Down, Left, Right, Plus, Minus, Cross, Question, Tick, Trash, Folder, Gear, Bulb };
void drawGlyph(QPainter &p, Glyph glyph, const QRectF &box, const QColor &colour, qreal width = 1.6);

// Text drawn by the generator itself (inside images).
QFont generatorFont(int pixelSize, int weight = 400);
void drawText(QPainter &p, const QString &text, const QRectF &box, int pixelSize, const QColor &colour,
              int flags = Qt::AlignCenter, int weight = 400);

// A radio mark 11 x 10 pixels: lit (red) or dark.
QImage radioMark(bool lit, QRgb background);

// The caption buttons (help, minimise, close) of a window title bar.
QImage captionButton(Glyph glyph, bool hot, bool danger, int width, int height, QRgb background);

QString tr(Language language, const char *english, const char *chinese);

} // namespace quenlar::skingen
