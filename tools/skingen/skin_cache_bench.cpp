// skin_cache_bench: the cost of one main-window repaint (1000 x 644, 21 skin images from the
// generated English skin) when every image is decoded from disk at every repaint, against the
// decoded-image cache, which only checks each file's modification time and size.
// Usage: skin_cache_bench [repaints]   (default 40). Prints both medians and their ratio.
#include "controls/SkinDrawing.h"
#include "controls/SkinFolders.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace quenlar;
using namespace quenlar::controls;

namespace {

struct Placed {
    const char *name;
    int x, y;
};

// What the main window draws on a repaint with every section unfolded.
const Placed kRepaint[] = {
    {"main.png", 0, 0},
    {"button-help-normal.png", 936, 5},
    {"button-min-normal.png", 957, 5},
    {"button-close-over.png", 978, 5},
    {"logo.png", 19, 35},
    {"kb_BK.png", 278, 107},
    {"button-cancel-normal.png", 800, 605},
    {"button-cancel-over.png", 862, 605},
    {"button-cancel-normal.png", 924, 605},
    {"Config.png", 17, 603},
    {"itemBK.png", 19, 110},
    {"LEDEffect_open.png", 19, 130},
    {"Light_Item.png", 28, 158},
    {"freq.png", 19, 245},
    {"Direction-T-Disable.png", 29, 197},
    {"Direction-B-Disable.png", 79, 197},
    {"Direction-R-Enable.png", 129, 197},
    {"Direction-L-Disable.png", 179, 197},
    {"Thumb.png", 100, 304},
    {"MacroManagementBK.png", 19, 335},
    {"MacroButton3.png", 19, 345},
    {"gamemode_open.png", 19, 390},
    {"responsetime_open.png", 19, 445},
    {"reportrate_Open.png", 19, 520},
};

double repaintMs(SkinImageCache &cache, const QString &folder, QImage &surface) {
    const auto start = std::chrono::steady_clock::now();
    QPainter p(&surface);
    for (const Placed &image : kRepaint)
        DrawSkinImage(cache, p, folder, image.name, image.x, image.y);
    p.end();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    const int repaints = argc > 1 ? std::max(3, std::atoi(argv[1])) : 40;
    const QString folder = skinFolder(executableFolder(), Language::English, SkinWindow::Main);
    QImage surface(1000, 644, QImage::Format_RGB32);

    SkinImageCache probe;
    int present = 0;
    for (const Placed &image : kRepaint)
        present += probe.image(folder, image.name) != nullptr;
    if (present != int(std::size(kRepaint))) {
        std::fprintf(stderr, "skin images missing in %s (%d of %d found); build the skin_images target\n",
                     qPrintable(folder), present, int(std::size(kRepaint)));
        return 1;
    }

    std::vector<double> uncached, cached;
    for (int i = 0; i < repaints; ++i) {
        SkinImageCache fresh; // nothing kept: every image is decoded for this repaint
        uncached.push_back(repaintMs(fresh, folder, surface));
    }
    SkinImageCache cache;
    repaintMs(cache, folder, surface); // first repaint fills the cache
    for (int i = 0; i < repaints; ++i)
        cached.push_back(repaintMs(cache, folder, surface));

    const double u = median(uncached), c = median(cached);
    std::printf("main-window repaint, %d skin images, %d repaints each (median)\n", int(std::size(kRepaint)),
                repaints);
    std::printf("  decoding every image: %8.3f ms\n", u);
    std::printf("  decoded-image cache:  %8.3f ms\n", c);
    std::printf("  ratio: %.1fx faster with the cache (target: at least 5x)\n", u / c);
    return 0;
}
