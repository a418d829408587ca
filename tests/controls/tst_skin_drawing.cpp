// Skin images and texts on a surface: opaque copies at natural size, missing images, names
// matched without regard to case, the decoded-image cache and the skin folders.
#include "controls/RegionRecord.h"
#include "controls/SkinDrawing.h"
#include "controls/SkinFolders.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace quenlar;
using namespace quenlar::controls;

namespace {

QImage surface(int w, int h, QRgb fill) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

int differingPixels(const QImage &a, const QImage &b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

void setFileTime(const QString &path, const QDateTime &when) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(when, QFileDevice::FileModificationTime));
}

} // namespace

class SkinDrawingTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString folder_;

    void writePng(const QString &name, const QImage &image) {
        QVERIFY(image.save(folder_ + name, "PNG"));
    }

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        folder_ = dir_.path() + "/";
        for (const QString &name : QDir(folder_).entryList(QDir::Files))
            QFile::remove(folder_ + name);
    }

    void onePixelImageChangesExactlyOnePixel() {
        QImage dot(1, 1, QImage::Format_ARGB32);
        dot.setPixel(0, 0, qRgb(200, 10, 20));
        writePng("dot.png", dot);
        QImage target = surface(40, 30, qRgb(1, 2, 3));
        const QImage before = target.copy();
        SkinImageCache cache;
        QPainter p(&target);
        DrawSkinImage(cache, p, folder_, "dot.png", 17, 9);
        p.end();
        QCOMPARE(differingPixels(before, target), 1);
        QCOMPARE(target.pixel(17, 9), qRgb(200, 10, 20));
    }

    // Transparent pixels show the colour values stored in them: the image is copied, not blended.
    void transparentAreasShowTheirStoredColours() {
        QImage image(4, 2, QImage::Format_ARGB32);
        image.fill(qRgba(0, 0, 0, 255));
        image.setPixel(0, 0, qRgba(10, 200, 30, 0));   // fully transparent, green stored
        image.setPixel(1, 0, qRgba(250, 20, 90, 0));   // fully transparent, pink stored
        image.setPixel(2, 0, qRgba(100, 100, 255, 128)); // half transparent
        writePng("alpha.png", image);
        QImage target = surface(10, 10, qRgb(255, 255, 255));
        SkinImageCache cache;
        QPainter p(&target);
        DrawSkinImage(cache, p, folder_, "alpha.png", 3, 4);
        p.end();
        QCOMPARE(target.pixel(3, 4), qRgb(10, 200, 30));
        QCOMPARE(target.pixel(4, 4), qRgb(250, 20, 90));
        QCOMPARE(target.pixel(5, 4), qRgb(100, 100, 255));
        QCOMPARE(target.pixel(6, 4), qRgb(0, 0, 0));
        QCOMPARE(target.pixel(2, 4), qRgb(255, 255, 255));
    }

    // An image wider than any region is not clipped to it: only the surface's edge cuts it.
    void wideImageIsCutOnlyByTheSurface() {
        QImage bar(30, 2, QImage::Format_RGB32);
        bar.fill(qRgb(9, 9, 9));
        writePng("bar.png", bar);
        QImage target = surface(20, 6, qRgb(200, 200, 200));
        SkinImageCache cache;
        QPainter p(&target);
        DrawSkinImage(cache, p, folder_, "bar.png", 5, 1);
        p.end();
        for (int x = 5; x < 20; ++x)
            QCOMPARE(target.pixel(x, 2), qRgb(9, 9, 9));
        QCOMPARE(target.pixel(4, 2), qRgb(200, 200, 200));
        QCOMPARE(target.pixel(10, 3), qRgb(200, 200, 200));
    }

    void missingOrBrokenImageDrawsNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << "nothing.png";
        QTest::newRow("not a png") << "broken.png";
        QTest::newRow("empty name") << "";
    }
    void missingOrBrokenImageDrawsNothing() {
        QFETCH(QString, name);
        QFile broken(folder_ + "broken.png");
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not an image at all");
        broken.close();
        QImage target = surface(8, 8, qRgb(5, 6, 7));
        const QImage before = target.copy();
        SkinImageCache cache;
        QPainter p(&target);
        DrawSkinImage(cache, p, folder_, name, 0, 0);
        DrawSkinImagePart(cache, p, folder_, name, QRect(0, 0, 4, 4), QPoint(1, 1));
        p.end();
        QCOMPARE(target, before);
        QCOMPARE(LoadSkinImageSize(cache, folder_, name), QSize(0, 0));
    }

    void namesAreMatchedWithoutRegardToCase() {
        QImage mark(11, 10, QImage::Format_RGB32);
        mark.fill(qRgb(1, 250, 3));
        writePng("Disable.png", mark);
        SkinImageCache cache;
        QCOMPARE(LoadSkinImageSize(cache, folder_, "disable.png"), QSize(11, 10));
        QCOMPARE(LoadSkinImageSize(cache, folder_, "DISABLE.PNG"), QSize(11, 10));
        QCOMPARE(LoadSkinImageSize(cache, folder_, "Disable.png"), QSize(11, 10));
    }

    void partCopyTakesTheSourceRectangle() {
        QImage two(4, 1, QImage::Format_RGB32);
        two.setPixel(0, 0, qRgb(1, 1, 1));
        two.setPixel(1, 0, qRgb(2, 2, 2));
        two.setPixel(2, 0, qRgb(3, 3, 3));
        two.setPixel(3, 0, qRgb(4, 4, 4));
        writePng("strip.png", two);
        QImage target = surface(6, 1, qRgb(0, 0, 0));
        SkinImageCache cache;
        QPainter p(&target);
        DrawSkinImagePart(cache, p, folder_, "strip.png", QRect(2, 0, 2, 1), QPoint(0, 0));
        p.end();
        QCOMPARE(target.pixel(0, 0), qRgb(3, 3, 3));
        QCOMPARE(target.pixel(1, 0), qRgb(4, 4, 4));
        QCOMPARE(target.pixel(2, 0), qRgb(0, 0, 0));
    }

    // The cache decodes a file once, and again only after its modification time or size changed.
    void changedFileShowsAtTheNextRepaint() {
        QImage red(2, 2, QImage::Format_RGB32);
        red.fill(qRgb(255, 0, 0));
        writePng("face.png", red);
        const QDateTime first = QDateTime::currentDateTime().addSecs(-100);
        setFileTime(folder_ + "face.png", first);
        SkinImageCache cache;
        auto colourAt = [&] {
            QImage target = surface(2, 2, 0);
            QPainter p(&target);
            DrawSkinImage(cache, p, folder_, "face.png", 0, 0);
            return target.pixel(1, 1);
        };
        QCOMPARE(colourAt(), qRgb(255, 0, 0));
        QCOMPARE(colourAt(), qRgb(255, 0, 0));
        QCOMPARE(cache.decodeCount(), 1);

        QImage blue(2, 2, QImage::Format_RGB32);
        blue.fill(qRgb(0, 0, 255));
        writePng("face.png", blue);
        setFileTime(folder_ + "face.png", first.addSecs(1));
        QCOMPARE(colourAt(), qRgb(0, 0, 255));
        QCOMPARE(cache.decodeCount(), 2);
        QCOMPARE(colourAt(), qRgb(0, 0, 255));
        QCOMPARE(cache.decodeCount(), 2);
    }

    void sameTimeButOtherSizeIsReadAgain() {
        QImage small(2, 2, QImage::Format_RGB32);
        small.fill(qRgb(10, 10, 10));
        writePng("grow.png", small);
        const QDateTime when = QDateTime::currentDateTime().addSecs(-50);
        setFileTime(folder_ + "grow.png", when);
        SkinImageCache cache;
        QCOMPARE(LoadSkinImageSize(cache, folder_, "grow.png"), QSize(2, 2));
        QImage large(9, 3, QImage::Format_RGB32);
        large.fill(qRgb(20, 20, 20));
        writePng("grow.png", large);
        setFileTime(folder_ + "grow.png", when);
        QCOMPARE(LoadSkinImageSize(cache, folder_, "grow.png"), QSize(9, 3));
    }

    void removedFileStopsDrawingAndAReturningOneShows() {
        QImage grey(3, 3, QImage::Format_RGB32);
        grey.fill(qRgb(77, 77, 77));
        writePng("gone.png", grey);
        SkinImageCache cache;
        QCOMPARE(LoadSkinImageSize(cache, folder_, "gone.png"), QSize(3, 3));
        QVERIFY(QFile::remove(folder_ + "gone.png"));
        QCOMPARE(LoadSkinImageSize(cache, folder_, "gone.png"), QSize(0, 0));
        writePng("gone.png", grey);
        QCOMPARE(LoadSkinImageSize(cache, folder_, "gone.png"), QSize(3, 3));
    }

    void textIsWrittenFromItsTopLeftCorner() {
        QImage target = surface(120, 40, qRgb(0, 0, 0));
        QPainter p(&target);
        DrawSkinText(p, "Light", 30, 12, Qt::white, 15);
        p.end();
        QRect inked;
        for (int y = 0; y < target.height(); ++y)
            for (int x = 0; x < target.width(); ++x)
                if (target.pixel(x, y) != qRgb(0, 0, 0))
                    inked |= QRect(x, y, 1, 1);
        QVERIFY(!inked.isEmpty());
        QVERIFY2(inked.left() >= 30 && inked.left() <= 33, qPrintable(QString::number(inked.left())));
        QVERIFY2(inked.top() >= 12 && inked.bottom() < 12 + 15, qPrintable(QString("%1..%2").arg(inked.top()).arg(inked.bottom())));
    }

    void skinFoldersPerWindowAndLanguage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("expected");
        const int en = int(Language::English), zh = int(Language::Chinese);
        QTest::newRow("main, English") << en << int(SkinWindow::Main) << "/opt/q/png/english/";
        QTest::newRow("main, Chinese") << zh << int(SkinWindow::Main) << "/opt/q/png/chinese/";
        QTest::newRow("profiles") << en << int(SkinWindow::ProfileManager) << "/opt/q/png/english/Config/";
        QTest::newRow("key assignment") << zh << int(SkinWindow::KeyAssignment) << "/opt/q/png/chinese/Custom/";
        QTest::newRow("macros") << en << int(SkinWindow::MacroManager) << "/opt/q/png/english/MacroManagement/";
    }
    void skinFoldersPerWindowAndLanguage() {
        QFETCH(int, language);
        QFETCH(int, window);
        QFETCH(QString, expected);
        QCOMPARE(skinFolder("/opt/q/", Language(language), SkinWindow(window)), expected);
    }

    void regionRectanglesIncludeAllEdgesAndStatesPickImages() {
        RegionRecord region{{936, 5, 952, 20}, "button-help-normal.png", "button-help-over.png", "", 0};
        QVERIFY(region.rect.contains(936, 5) && region.rect.contains(952, 20));
        QVERIFY(!region.rect.contains(935, 5) && !region.rect.contains(952, 21));
        QCOMPARE(region.imageForState(), QString("button-help-normal.png"));
        region.state = 1;
        QCOMPARE(region.imageForState(), QString("button-help-over.png"));
        region.state = 2;
        QVERIFY(region.imageForState().isEmpty());
    }
};

QTEST_MAIN(SkinDrawingTest)
#include "tst_skin_drawing.moc"
