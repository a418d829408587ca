// The window as a user sees it, saved as PNG files beside the tests (screenshots/): English
// and Chinese, unfolded and folded, the painting view and an open effect list. Each picture is
// also checked for what it must show.
#include "WindowFixture.h"

#include "model/KeyTable.h"

#include <QDir>
#include <QtTest>

using namespace quenlar;
using namespace quenlar::testing;

class WindowScreenshots : public QObject {
    Q_OBJECT
private slots:
    void screenshots_data();
    void screenshots();
};

void WindowScreenshots::screenshots_data() {
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("view");
    for (bool chinese : {false, true}) {
        const char *language = chinese ? "chinese" : "english";
        for (const char *view : {"unfolded", "folded", "painting", "effect-list", "no-keyboard"})
            QTest::newRow(qPrintable(QStringLiteral("%1-%2").arg(QLatin1String(language), QLatin1String(view))))
                << chinese << QString::fromLatin1(view);
    }
}

void WindowScreenshots::screenshots() {
    QFETCH(bool, chinese);
    QFETCH(QString, view);
    WindowFixture f(chinese ? Language::Chinese : Language::English);
    if (view == QLatin1String("no-keyboard")) {
        f.keyboard.unplug();
        f.window->initialise();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    } else {
        f.start();
    }
    // A few keys carry assignments, so that the picture shows its lit keys.
    for (int key : {1, 2, 3, 4, 43})
        f.app->keyChanged[key] = 1;
    if (view == QLatin1String("folded")) {
        f.click(QPoint(100, 115));
        f.click(QPoint(100, f.window->layout().rect(region::kGameHeader).top + 5));
        f.click(QPoint(100, f.window->layout().rect(region::kReportHeader).top + 5));
    } else if (view == QLatin1String("painting")) {
        f.click(QPoint(100, 165));
        f.click(QPoint(100, 173 + 20 * 13 + 10));  // DIY1
        auto layer = f.working().customLayer(0);
        const uint8_t colours[][3] = {{0xFF, 0, 0}, {0, 0xFF, 0}, {0, 0, 0xFF}, {0xFF, 0xFF, 0}, {0, 0xFF, 0xFF}};
        for (int key = 0; key < 108; ++key) {
            if (!keyAt(key).onPicture() || key % 3 == 0)
                continue;
            const uint8_t *c = colours[key % 5];
            const int at = keyAt(key).ledOffset;
            layer[at + 1] = c[2], layer[at + 2] = c[1], layer[at + 3] = c[0];
        }
        f.move(WindowFixture::keyCentre(40));
    } else if (view == QLatin1String("effect-list")) {
        f.click(QPoint(100, 165));
        f.move(QPoint(100, 173 + 20 * 4 + 10));
    } else {
        f.move(QPoint(930, 620));  // Save under the pointer
    }
    const QImage shot = f.window->grab().toImage();
    QCOMPARE(shot.size(), QSize(1000, 644));
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    const QString file = folder + QStringLiteral("/main-window-%1-%2.png")
                                      .arg(QLatin1String(chinese ? "chinese" : "english"), view);
    QVERIFY(shot.save(file));
    qInfo("saved %s", qPrintable(file));
    // The skin was found: the background is not the bare fallback colour everywhere.
    QVERIFY(shot.pixelColor(500, 300) != shot.pixelColor(5, 320) || shot.pixelColor(640, 250) != shot.pixelColor(5, 320));
}

QTEST_MAIN(WindowScreenshots)
#include "tst_window_screenshots.moc"
