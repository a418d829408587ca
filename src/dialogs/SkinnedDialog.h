#pragma once
// What the three skinned dialogs share: a borderless modal window as large as its background
// image, painted from its skin folder into an off-screen image, dragged by any point that is not
// one of its buttons, and never closed by Enter (nor by Escape unless the dialog says so).

#include "controls/SkinImageCache.h"
#include "controls/SkinFolders.h"
#include "model/Language.h"

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <optional>

namespace quenlar::dialogs {

// A rectangle given by its four edges, all of them inside it (the skin's regions are written so).
inline QRect inclusive(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

class SkinnedDialog : public QDialog {
    Q_OBJECT
public:
    SkinnedDialog(const QString &programFolder, Language language, controls::SkinWindow window, QWidget *parent);

    Language language() const { return language_; }
    const QString &skinFolder() const { return folder_; }
    bool zh() const { return language_ == Language::Chinese; }
    QString tr2(const char *english, const char *chinese) const {
        return QString::fromUtf8(zh() ? chinese : english);
    }
    // The whole window as it is painted now.
    QImage composeImage();

protected:
    // Sizes the window to the background image.
    void sizeToBackground(const QString &fileName);
    // Draws the whole surface.
    virtual void compose(QPainter &painter) = 0;
    // Dragging starts only where this is false.
    virtual bool onButton(const QPoint &point) const = 0;
    void image(QPainter &painter, const QString &fileName, int x, int y);
    void text(QPainter &painter, const QString &text, int x, int y, int height, const QColor &colour = Qt::white);
    // The same text style, narrowed where the text would run past maxWidth pixels (labels that
    // sit left of a field the skin draws over them).
    void fittedText(QPainter &painter, const QString &text, int x, int y, int height, int maxWidth);

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

    bool escapeCloses_ = false;
    bool dragging() const { return dragOffset_.has_value(); }

private:
    QString folder_;
    Language language_;
    controls::SkinImageCache cache_;
    std::optional<QPoint> dragOffset_;
};

} // namespace quenlar::dialogs
