#include "dialogs/SkinnedDialog.h"

#include "controls/SkinDrawing.h"
#include "controls/SkinFont.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>

namespace quenlar::dialogs {

SkinnedDialog::SkinnedDialog(const QString &programFolder, Language language, controls::SkinWindow window,
                             QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      folder_(controls::skinFolder(programFolder, language, window)), language_(language) {
    setModal(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void SkinnedDialog::sizeToBackground(const QString &fileName) {
    const QSize size = controls::LoadSkinImageSize(cache_, folder_, fileName);
    if (!size.isEmpty())
        setFixedSize(size);
}

void SkinnedDialog::image(QPainter &painter, const QString &fileName, int x, int y) {
    controls::DrawSkinImage(cache_, painter, folder_, fileName, x, y);
}

void SkinnedDialog::text(QPainter &painter, const QString &value, int x, int y, int height, const QColor &colour) {
    controls::DrawSkinText(painter, value, x, y, colour, height);
}

void SkinnedDialog::fittedText(QPainter &painter, const QString &value, int x, int y, int height, int maxWidth) {
    QFont font = controls::skinTextFont(height);
    const int natural = QFontMetrics(font).horizontalAdvance(value);
    if (natural > maxWidth && natural > 0)
        font.setStretch(std::max(50, 100 * maxWidth / natural));
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.drawText(QPoint(x, y + QFontMetrics(font).ascent()), value);
    painter.restore();
}

QImage SkinnedDialog::composeImage() {
    QImage surface(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    surface.fill(Qt::black);
    QPainter painter(&surface);
    compose(painter);
    return surface;
}

void SkinnedDialog::paintEvent(QPaintEvent *) {
    const QImage surface = composeImage();
    QPainter screen(this);
    screen.drawImage(0, 0, surface);
}

void SkinnedDialog::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && !onButton(event->position().toPoint())) {
        // The window system moves the window where it can; elsewhere it follows the pointer.
        if (windowHandle() && windowHandle()->startSystemMove())
            return;
        dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
        return;
    }
    QDialog::mousePressEvent(event);
}

void SkinnedDialog::mouseMoveEvent(QMouseEvent *event) {
    if (dragOffset_ && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - *dragOffset_);
    QDialog::mouseMoveEvent(event);
}

void SkinnedDialog::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        dragOffset_.reset();
    QDialog::mouseReleaseEvent(event);
}

void SkinnedDialog::keyPressEvent(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        if (escapeCloses_)
            QDialog::keyPressEvent(event);
        else
            event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept(); // never OK
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace quenlar::dialogs
