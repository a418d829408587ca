// skingen: draws every skin image of the program into <output>/english/ and <output>/chinese/
// (with the dialogs' sub-folders), and the program's own bitmaps into <output>/program/ for
// looking at. Usage: skingen <output folder>   (normally <build>/bin/png)
#include "SkinSet.h"

#include "controls/ProgramBitmaps.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>

namespace {

bool writeImage(const QString &path, const QImage &image) {
    // Skin images are opaque: the program copies them without blending.
    QImageWriter writer(path, "png");
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32))) {
        std::fprintf(stderr, "skingen: cannot write %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

bool writeProgramBitmaps(const QString &folder) {
    using quenlar::controls::ProgramBitmaps;
    if (!QDir().mkpath(folder))
        return false;
    const struct {
        const char *name;
        QImage image;
    } bitmaps[] = {
        {"track-filled.png", ProgramBitmaps::filledTrack()},   {"track-empty.png", ProgramBitmaps::emptyTrack()},
        {"thumb.png", ProgramBitmaps::thumbBitmap()},          {"list-press.png", ProgramBitmaps::listIconPress()},
        {"list-release.png", ProgramBitmaps::listIconRelease()}, {"list-delay.png", ProgramBitmaps::listIconDelay()},
        {"list-background.png", ProgramBitmaps::listBackground()}, {"tree-collapsed.png", ProgramBitmaps::treeCollapsed()},
        {"tree-expanded.png", ProgramBitmaps::treeExpanded()}, {"tree-background.png", ProgramBitmaps::treeBackground()},
        {"icon-16.png", ProgramBitmaps::programIcon(16)},      {"icon-64.png", ProgramBitmaps::programIcon(64)},
        {"icon-256.png", ProgramBitmaps::programIcon(256)},
    };
    bool ok = true;
    for (const auto &bitmap : bitmaps) {
        QImageWriter writer(folder + QString::fromLatin1(bitmap.name), "png");
        ok = writer.write(bitmap.image) && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen <output folder>\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QString output = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    bool ok = true;
    for (const auto language : {quenlar::Language::English, quenlar::Language::Chinese}) {
        quenlar::skingen::SkinSet set;
        quenlar::skingen::addMainWindowSkin(set, language);
        quenlar::skingen::addKeyboardSkin(set, language);
        quenlar::skingen::addKeyAssignmentSkin(set, language);
        quenlar::skingen::addMacroManagerSkin(set, language);
        quenlar::skingen::addProfileManagerSkin(set, language);
        const QString root = output + (language == quenlar::Language::Chinese ? QStringLiteral("chinese/")
                                                                               : QStringLiteral("english/"));
        for (const auto &image : set) {
            const QString folder = image.folder.isEmpty() ? root : root + image.folder + QLatin1Char('/');
            if (!QDir().mkpath(folder)) {
                std::fprintf(stderr, "skingen: cannot create %s\n", qPrintable(folder));
                return 1;
            }
            ok = writeImage(folder + image.name, image.image) && ok;
        }
    }
    ok = writeProgramBitmaps(output + QStringLiteral("program/")) && ok;
    return ok ? 0 : 1;
}
