#pragma once
// CBitSlider: a horizontal slider that keeps the platform slider's range, position, keyboard
// and dragging, but draws nothing itself. Whenever it is painted or the pointer moves over it,
// it works out where its thumb image goes and tells its owner (sliderNotified), which draws the
// track and thumb into its own surface at the slider's rectangle with DrawImageSlider.
// A click anywhere on the track moves the thumb straight to the clicked value; the wheel does
// nothing.

#include "controls/SkinImageCache.h"

#include <QImage>
#include <QSlider>
#include <QString>

class QPainter;

namespace quenlar::controls {

class CBitSlider : public QSlider {
    Q_OBJECT
public:
    // The slider tells its owner it was painted or the pointer moved over it.
    static constexpr int kSliderMovedMessage = 1913;
    // The owner's request to set the position with redraw.
    static constexpr int kSetPositionMessage = 1029;

    // Control ids the main window gives its sliders.
    static constexpr int kSpeedSliderId = 1007;
    static constexpr int kReportRateSliderId = 1010;
    static constexpr int kBrightnessSliderId = 1017;

    explicit CBitSlider(QWidget *parent = nullptr);

    // Take the thumb size from the program's thumb bitmap.
    void AttachThumb();
    // Load the two track strips and resize the control (not moving it) to the filled track.
    void LoadTrack();

    int thumbX() const { return thumbX_; }
    int thumbY() const { return thumbY_; }
    int controlId() const { return controlId_; }
    void setControlId(int id) { controlId_ = id; }
    int crossOffset() const { return crossOffset_; }
    void setCrossOffset(int offset) { crossOffset_ = offset; }
    QSize thumbSize() const { return thumbSize_; }
    const QImage &filledTrack() const { return filledTrack_; }
    const QImage &emptyTrack() const { return emptyTrack_; }

    // The slider's channel: the span its thumb's centre travels, in control pixels (left, right).
    int channelLeft() const;
    int channelRight() const;

    // Recompute thumbX and thumbY from the slider's thumb and notify the owner.
    void PlaceThumb();

public slots:
    // Set the position and redraw (the owner's set-position request, kSetPositionMessage).
    void setPositionWithRedraw(int position);

signals:
    // kSliderMovedMessage: wParam = controlId, lParam = 0. Delivered synchronously.
    void sliderNotified(int controlId);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QRect thumbRect() const;

    int thumbX_ = 0;
    int thumbY_ = 0;
    int controlId_ = 0;
    QSize thumbSize_{15, 14};
    QImage filledTrack_;
    QImage emptyTrack_;
    int crossOffset_ = 0;
};

// The owner's drawing of a slider into its surface: the filled track up to the thumb, the empty
// track after it, and the skin's "Thumb.png" (15 x 14) at the thumb. `owner` is the widget whose
// coordinates the painter uses. A negative thumbX is drawn as 0.
void DrawImageSlider(QPainter &surface, const QWidget &owner, const CBitSlider &slider, SkinImageCache &cache,
                     const QString &skinFolder);

} // namespace quenlar::controls
