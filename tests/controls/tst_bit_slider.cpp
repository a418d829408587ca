// The image slider: click to value with its rounding rule, the wheel swallowed, the owner told
// at every paint and mouse move, and the owner's drawing of track and thumb.
#include "controls/BitSlider.h"
#include "controls/SkinDrawing.h"
#include "controls/SliderMath.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace quenlar::controls;

namespace {

// An owner like the main window: one slider set up in the owner's order.
struct SliderFixture {
    QWidget owner;
    CBitSlider *slider;
    explicit SliderFixture(int max, int id = CBitSlider::kSpeedSliderId) {
        owner.resize(300, 60);
        slider = new CBitSlider(&owner);
        slider->move(28, 20);
        slider->AttachThumb();
        slider->LoadTrack();
        slider->setRange(0, max);
        slider->setSingleStep(1);
        slider->setPageStep(1);
        slider->setControlId(id);
        owner.show();
    }
};

} // namespace

class BitSliderTest : public QObject {
    Q_OBJECT
private slots:
    void clickRounding_data() {
        QTest::addColumn<int>("d");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("expected");
        QTest::newRow("channel start") << 0 << 200 << 9 << 0;
        QTest::newRow("channel end") << 200 << 200 << 9 << 9;
        QTest::newRow("4.95 rounds up") << 110 << 200 << 9 << 5;
        QTest::newRow("4.5 rounds up") << 100 << 200 << 9 << 5;
        QTest::newRow("4.455 rounds down") << 99 << 200 << 9 << 4;
        QTest::newRow("beyond the end, clamped by the slider") << 260 << 200 << 9 << 12;
        QTest::newRow("before the start truncates to 0") << -5 << 200 << 9 << 0;
        QTest::newRow("far before the start, truncated towards zero") << -150 << 200 << 9 << -6;
        QTest::newRow("report rate 0..3 midway") << 100 << 205 << 3 << 1;
    }
    void clickRounding() {
        QFETCH(int, d);
        QFETCH(int, w);
        QFETCH(int, max);
        QFETCH(int, expected);
        int value = -999;
        QVERIFY(ClickToValue(d, w, 0, max, value));
        QCOMPARE(value, expected);
    }

    void channelWithoutWidthGivesNoValue() {
        int value = 42;
        QVERIFY(!ClickToValue(10, 0, 0, 9, value));
        QCOMPARE(value, 42);
    }

    void placementCentresTheImageOnTheThumb_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("thumbX");
        QTest::newRow("same width") << 40 << 55 << 40;
        QTest::newRow("narrower thumb") << 40 << 51 << 42;
        QTest::newRow("wider thumb, truncated towards zero") << 40 << 58 << 39;
    }
    void placementCentresTheImageOnTheThumb() {
        QFETCH(int, left);
        QFETCH(int, right);
        QFETCH(int, thumbX);
        const ThumbPlacement placement = PlaceThumb(left, right, 15, 0);
        QCOMPARE(placement.thumbX, thumbX);
        QCOMPARE(placement.thumbY, 0);
    }

    void trackSetsTheControlSize() {
        SliderFixture f(9);
        QCOMPARE(f.slider->size(), QSize(220, 17));
        QCOMPARE(f.slider->pos(), QPoint(28, 20));
        QCOMPARE(f.slider->thumbSize(), QSize(15, 14));
    }

    // A click anywhere on the track moves the thumb straight to the clicked value.
    void clickOnTheControl_data() {
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("offset"); // from the channel's start
        QTest::addColumn<int>("expected");
        QTest::newRow("channel start") << 9 << 0 << 0;
        QTest::newRow("channel end") << 9 << 205 << 9;
        QTest::newRow("left edge of the control") << 9 << -7 << 0;
        QTest::newRow("right edge of the control") << 9 << 212 << 9;
        QTest::newRow("4.48 rounds down") << 9 << 102 << 4; // 102 * 9 / 205
        QTest::newRow("4.52 rounds up") << 9 << 103 << 5;
        QTest::newRow("brightness 0..50") << 50 << 123 << 30;
        QTest::newRow("report rate, second step") << 3 << 70 << 1;
    }
    void clickOnTheControl() {
        QFETCH(int, max);
        QFETCH(int, offset);
        QFETCH(int, expected);
        SliderFixture f(max);
        f.slider->setValue(expected == max ? 0 : max);
        QTest::mouseClick(f.slider, Qt::LeftButton, {}, QPoint(f.slider->channelLeft() + offset, 8));
        QCOMPARE(f.slider->value(), expected);
    }

    void wheelChangesNothing() {
        SliderFixture f(9);
        f.slider->setValue(4);
        QWheelEvent up(QPointF(100, 8), QPointF(100, 8), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QWheelEvent down(QPointF(100, 8), QPointF(100, 8), QPoint(), QPoint(0, -360), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.slider, &up);
        QApplication::sendEvent(f.slider, &down);
        QCOMPARE(f.slider->value(), 4);
    }

    void keyboardStillMovesTheSlider() {
        SliderFixture f(9);
        f.slider->setValue(4);
        QTest::keyClick(f.slider, Qt::Key_Right);
        QCOMPARE(f.slider->value(), 5);
        QTest::keyClick(f.slider, Qt::Key_Home);
        QCOMPARE(f.slider->value(), 0);
    }

    // The thumb image's left edge runs from 0 to 205 over the range.
    void thumbTravelsTheTrack() {
        SliderFixture f(9, CBitSlider::kReportRateSliderId);
        QSignalSpy spy(f.slider, &CBitSlider::sliderNotified);
        QList<int> xs;
        for (int v = 0; v <= 9; ++v) {
            f.slider->setValue(v);
            f.slider->PlaceThumb();
            xs << f.slider->thumbX();
        }
        QCOMPARE(xs.first(), 0);
        QCOMPARE(xs.last(), 205);
        for (int i = 1; i < xs.size(); ++i)
            QVERIFY(xs[i] > xs[i - 1]);
        QCOMPARE(spy.count(), 10);
        QCOMPARE(spy.first().first().toInt(), CBitSlider::kReportRateSliderId);
    }

    // Every mouse move over the control tells the owner, with or without a button held, and a
    // drag follows the pointer.
    void movesAndDragsNotifyTheOwner() {
        SliderFixture f(9, CBitSlider::kBrightnessSliderId);
        QSignalSpy spy(f.slider, &CBitSlider::sliderNotified);
        QTest::mouseMove(f.slider, QPoint(50, 8));
        QTest::mouseMove(f.slider, QPoint(60, 8));
        QVERIFY(spy.count() >= 2);
        for (const auto &args : spy)
            QCOMPARE(args.first().toInt(), CBitSlider::kBrightnessSliderId);
        spy.clear();
        const int start = f.slider->channelLeft();
        QTest::mousePress(f.slider, Qt::LeftButton, {}, QPoint(start, 8));
        QCOMPARE(f.slider->value(), 0);
        for (int x = start; x <= f.slider->channelRight(); x += 41) {
            QMouseEvent move(QEvent::MouseMove, QPointF(x, 8), f.slider->mapToGlobal(QPointF(x, 8)), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(f.slider, &move);
        }
        QTest::mouseRelease(f.slider, Qt::LeftButton, {}, QPoint(f.slider->channelRight(), 8));
        QVERIFY(spy.count() >= 5);
        QVERIFY(f.slider->value() >= 8);
    }

    // The owner's drawing: filled track up to thumbX, empty track after it, Thumb.png at the thumb.
    void ownerDrawsTrackAndThumb() {
        QTemporaryDir dir;
        QImage thumb(15, 14, QImage::Format_RGB32);
        thumb.fill(qRgb(0, 200, 0));
        QVERIFY(thumb.save(dir.path() + "/Thumb.png"));
        SliderFixture f(9);
        f.slider->setValue(5);
        f.slider->PlaceThumb();
        const int tx = f.slider->thumbX();
        QImage surface(300, 60, QImage::Format_RGB32);
        surface.fill(qRgb(1, 1, 1));
        SkinImageCache cache;
        QPainter p(&surface);
        DrawImageSlider(p, f.owner, *f.slider, cache, dir.path() + "/");
        p.end();
        const QImage filled = f.slider->filledTrack(), empty = f.slider->emptyTrack();
        QCOMPARE(surface.pixel(28 + tx - 1, 20 + 8), filled.pixel(tx - 1, 8));
        QCOMPARE(surface.pixel(28 + 2, 20 + 8), filled.pixel(2, 8));
        QCOMPARE(surface.pixel(28 + tx + 15, 20 + 8), empty.pixel(tx + 15, 8));
        QCOMPARE(surface.pixel(28 + 219, 20 + 8), empty.pixel(219, 8));
        QCOMPARE(surface.pixel(28 + tx, 20 + 1), qRgb(0, 200, 0));  // thumb from thumbY + 1
        QCOMPARE(surface.pixel(28 + tx + 14, 20 + 14), qRgb(0, 200, 0));
        QCOMPARE(surface.pixel(28 + tx, 20), empty.pixel(tx, 0)); // row 0 above the thumb: the empty track
        QCOMPARE(surface.pixel(27, 28), qRgb(1, 1, 1));
        QCOMPARE(surface.pixel(248, 28), qRgb(1, 1, 1));
        QVERIFY(filled.pixel(100, 8) != empty.pixel(100, 8)); // red and grey bars really differ
    }
};

QTEST_MAIN(BitSliderTest)
#include "tst_bit_slider.moc"
