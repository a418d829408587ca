// bench_main_window: the main window's start-up to its first complete paint on the virtual
// keyboard, and one hover repaint, each beside the same figure for an empty Qt window of the
// same size (the floor), in milliseconds and as ratios.
//   QT_QPA_PLATFORM=offscreen bench_main_window [repeats]
#include "WindowFixture.h"

#include <QApplication>
#include <QProcess>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace quenlar;
using namespace quenlar::testing;
using Clock = std::chrono::steady_clock;

namespace {

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The floor: a plain window of the main window's size that fills itself.
class EmptyWindow : public QWidget {
public:
    bool painted = false;
    EmptyWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) { setFixedSize(1000, 644); }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter(this).fillRect(rect(), QColor(22, 22, 24));
        painted = true;
    }
};

bool waitFor(const std::function<bool()> &done) {
    const auto until = Clock::now() + std::chrono::seconds(20);
    while (!done() && Clock::now() < until)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return done();
}

double emptyStartup() {
    const auto start = Clock::now();
    EmptyWindow window;
    window.show();
    waitFor([&] { return window.painted; });
    return ms(Clock::now() - start);
}

// From nothing to the first paint of the window showing the keyboard's configuration: the
// link opened, keymap.bin and the macro library loaded, the keyboard read and the refresh shown.
double mainStartup() {
    const auto start = Clock::now();
    WindowFixture f;
    f.window->initialise();
    waitFor([&] { return f.window->readAllFinished(); });
    f.window->repaint();
    return ms(Clock::now() - start);
}

double repaintTime(QWidget &window, const std::function<void(int)> &before, int count) {
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        before(i);
        const auto start = Clock::now();
        window.repaint();
        times.push_back(ms(Clock::now() - start));
    }
    return median(times);
}

// A whole program start: this executable started again as a child that builds one window and
// prints the moment (steady clock, shared by all processes) its first complete paint ended.
// Process start and Qt's own start-up count for both windows alike; the exit does not.
double processStartup(const char *mode) {
    QProcess child;
    const auto start = Clock::now();
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode)});
    child.waitForFinished(30000);
    bool ok = false;
    const qint64 paintedAt = child.readAllStandardOutput().trimmed().toLongLong(&ok);
    if (child.exitCode() != 0 || !ok)
        return -1.0;
    return ms(Clock::time_point(std::chrono::nanoseconds(paintedAt)) - start);
}

void printPaintMoment() {
    std::printf("%lld\n", static_cast<long long>(
                              std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count()));
    std::fflush(stdout);
}

int runChild(const QString &mode) {
    if (mode == QLatin1String("--child=empty")) {
        EmptyWindow window;
        window.show();
        if (!waitFor([&] { return window.painted; }))
            return 1;
        printPaintMoment();
        return 0;
    }
    WindowFixture f;
    f.window->initialise();
    if (!waitFor([&] { return f.window->readAllFinished(); }))
        return 1;
    f.window->repaint();
    printPaintMoment();
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    if (argc > 1 && QByteArray(argv[1]).startsWith("--child="))
        return runChild(QString::fromLatin1(argv[1]));
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;

    std::vector<double> emptyProcess, mainProcess;
    for (int i = 0; i < repeats; ++i) {
        emptyProcess.push_back(processStartup("--child=empty"));
        mainProcess.push_back(processStartup("--child=main"));
    }

    // Cold start-ups first (fonts and images are loaded the first time), then warm medians.
    const double emptyCold = emptyStartup();
    const double mainCold = mainStartup();
    std::vector<double> emptyWarm, mainWarm;
    for (int i = 0; i < repeats; ++i) {
        emptyWarm.push_back(emptyStartup());
        mainWarm.push_back(mainStartup());
    }

    EmptyWindow empty;
    empty.show();
    waitFor([&] { return empty.painted; });
    const double emptyRepaint = repaintTime(empty, [](int) {}, 200);

    WindowFixture f;
    f.window->initialise();
    waitFor([&] { return f.window->readAllFinished(); });
    // Each repaint follows a pointer move from one caption button to the next.
    const QPoint buttons[] = {{944, 12}, {965, 12}, {986, 12}};
    const double hoverRepaint =
        repaintTime(*f.window, [&](int i) { QTest::mouseMove(f.window.get(), buttons[i % 3]); }, 200);

    std::printf("%-44s %10s %10s %8s\n", "figure", "main ms", "empty ms", "ratio");
    std::printf("%-44s %10.2f %10.2f %8.2f\n", "program start to first complete paint", median(mainProcess),
                median(emptyProcess), median(mainProcess) / median(emptyProcess));
    std::printf("%-44s %10.2f %10.2f %8.2f\n", "in-process start-up to first paint (cold)", mainCold, emptyCold,
                mainCold / emptyCold);
    std::printf("%-44s %10.2f %10.2f %8.2f\n", "in-process start-up to first paint (warm)", median(mainWarm),
                median(emptyWarm), median(mainWarm) / median(emptyWarm));
    std::printf("%-44s %10.3f %10.3f %8.2f\n", "hover repaint (median of 200)", hoverRepaint, emptyRepaint,
                hoverRepaint / emptyRepaint);
    std::printf("targets: hover repaint under 4 ms (%s); start-up within 3x the empty window (%s)\n",
                hoverRepaint < 4.0 ? "met" : "NOT met",
                median(mainProcess) <= 3 * median(emptyProcess) ? "met" : "NOT met");
    return 0;
}
