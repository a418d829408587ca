#include "controls/BitSlider.h"

#include "controls/ProgramBitmaps.h"
#include "controls/SkinDrawing.h"
#include "controls/SliderMath.h"

#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QWheelEvent>

#include <algorithm>

namespace quenlar::controls {

namespace {

// The slider geometry the control works with, whatever the desktop style: the thumb is as wide
// as the thumb image and travels the whole control, so the thumb image's left edge runs from 0
// (minimum) to width - 15 (maximum), 0 to 205 on the 220-pixel track. A press on the track puts
// the thumb under the pointer and starts a drag.
class BitSliderStyle : public QProxyStyle {
public:
    BitSliderStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    static constexpr int kThumbLength = 15;

    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override {
        if (metric == PM_SliderLength)
            return kThumbLength;
        if (metric == PM_SliderTickmarkOffset)
            return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override {
        if (hint == SH_Slider_AbsoluteSetButtons)
            return Qt::LeftButton;
        if (hint == SH_Slider_PageSetButtons)
            return Qt::NoButton;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl sub,
                         const QWidget *widget) const override {
        if (control == CC_Slider) {
            if (const auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(option)) {
                const QRect r = slider->rect;
                if (sub == SC_SliderGroove)
                    return r;
                if (sub == SC_SliderHandle) {
                    const int span = std::max(0, r.width() - kThumbLength);
                    const int x = sliderPositionFromValue(slider->minimum, slider->maximum, slider->sliderPosition,
                                                          span, slider->upsideDown);
                    return QRect(r.x() + x, r.y(), kThumbLength, r.height());
                }
                return {};
            }
        }
        return QProxyStyle::subControlRect(control, option, sub, widget);
    }
};

} // namespace

CBitSlider::CBitSlider(QWidget *parent) : QSlider(Qt::Horizontal, parent) {
    auto *style = new BitSliderStyle;
    style->setParent(this);
    setStyle(style);
    setTickPosition(QSlider::NoTicks);
    setMouseTracking(true); // mouse moves over the control are reported with or without buttons
    setAutoFillBackground(false);
    setAttribute(Qt::WA_NoSystemBackground, true); // erasing does nothing: the owner's pixels stay
    setFocusPolicy(Qt::StrongFocus);
}

void CBitSlider::AttachThumb() { thumbSize_ = ProgramBitmaps::thumbBitmap().size(); }

void CBitSlider::LoadTrack() {
    filledTrack_ = ProgramBitmaps::filledTrack();
    emptyTrack_ = ProgramBitmaps::emptyTrack();
    resize(filledTrack_.size());
}

QRect CBitSlider::thumbRect() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
}

int CBitSlider::channelLeft() const { return BitSliderStyle::kThumbLength / 2; }

int CBitSlider::channelRight() const { return width() - 1 - BitSliderStyle::kThumbLength / 2; }

void CBitSlider::PlaceThumb() {
    const QRect thumb = thumbRect();
    const ThumbPlacement placement =
        controls::PlaceThumb(thumb.left(), thumb.left() + thumb.width(), thumbSize_.width(), crossOffset_);
    thumbX_ = placement.thumbX;
    thumbY_ = placement.thumbY;
    emit sliderNotified(controlId_);
}

void CBitSlider::setPositionWithRedraw(int position) {
    setValue(position);
    update();
}

void CBitSlider::paintEvent(QPaintEvent *) { PlaceThumb(); }

void CBitSlider::mouseMoveEvent(QMouseEvent *event) {
    QSlider::mouseMoveEvent(event);
    PlaceThumb();
}

void CBitSlider::mousePressEvent(QMouseEvent *event) {
    QSlider::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const int x = static_cast<int>(event->position().x());
    int value = 0;
    if (ClickToValue(x - channelLeft(), channelRight() - channelLeft(), minimum(), maximum(), value))
        setPositionWithRedraw(value); // setValue clamps to the range
}

void CBitSlider::wheelEvent(QWheelEvent *event) { event->accept(); }

void DrawImageSlider(QPainter &surface, const QWidget &owner, const CBitSlider &slider, SkinImageCache &cache,
                     const QString &skinFolder) {
    const QPoint topLeft = slider.mapTo(&owner, QPoint(0, 0));
    const int L = topLeft.x(), T = topLeft.y();
    const int R = L + slider.width(), B = T + slider.height();
    const int thumbX = std::clamp(slider.thumbX(), 0, std::max(0, R - L));
    copyOpaque(surface, QPoint(L, T), slider.filledTrack(), QRect(0, 0, thumbX, B - T));
    copyOpaque(surface, QPoint(L + thumbX, T), slider.emptyTrack(), QRect(thumbX, 0, R - (L + thumbX), B - T));
    DrawSkinImagePart(cache, surface, skinFolder, QStringLiteral("Thumb.png"),
                      QRect(QPoint(0, 0), slider.thumbSize()), QPoint(L + thumbX, T + slider.thumbY() + 1));
}

} // namespace quenlar::controls
