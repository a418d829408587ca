// The generated skin: every image the windows name exists in both language folders, in the size
// the windows' rectangles and coordinates call for; the keyboard pictures light exactly the keys.
#include "controls/SkinDrawing.h"
#include "controls/SkinFolders.h"
#include "model/KeyTable.h"

#include <QDirIterator>
#include <QtTest>

using namespace quenlar;
using namespace quenlar::controls;

namespace {

constexpr int kAny = 4096;

struct Expected {
    SkinWindow window;
    const char *name;
    QSize min, max;
};

// Sizes follow from where each window draws an image and which rectangle it has to cover.
const Expected kImages[] = {
    // Main window.
    {SkinWindow::Main, "main.png", {997, 636}, {kAny, kAny}}, // caption buttons to x 994, help panel to 996, lower bar to y 635
    {SkinWindow::Main, "button-help-normal.png", {17, 16}, {17, 16}},
    {SkinWindow::Main, "button-help-over.png", {17, 16}, {17, 16}},
    {SkinWindow::Main, "button-min-normal.png", {17, 16}, {17, 16}},
    {SkinWindow::Main, "button-min-over.png", {17, 16}, {17, 16}},
    {SkinWindow::Main, "button-close-normal.png", {17, 16}, {17, 16}},
    {SkinWindow::Main, "button-close-over.png", {17, 16}, {17, 16}},
    {SkinWindow::Main, "logo.png", {120, 30}, {243, 68}}, // inside the strip (19, 32)-(261, 102) from (19, 35)
    {SkinWindow::Main, "kb_BK.png", {664, 332}, {722, 496}}, // every key rectangle; inside main.png above the lower bar
    {SkinWindow::Main, "kb_hl.png", {664, 332}, {722, 496}},
    {SkinWindow::Main, "Config.png", {73, 31}, {75, 33}},  // covers (19, 605)-(89, 633) from (17, 603)
    {SkinWindow::Main, "button-cancel-normal.png", {58, 31}, {58, 31}},
    {SkinWindow::Main, "button-cancel-over.png", {58, 31}, {58, 31}},
    {SkinWindow::Main, "HelpWindow.png", {167, 78}, {167, 78}}, // (830, 22)-(996, 99)
    {SkinWindow::Main, "itemBK.png", {243, 20}, {243, 21}},
    {SkinWindow::Main, "LEDEffect_open.png", {243, 205}, {243, 205}}, // y 130 up to the macro block at 335
    {SkinWindow::Main, "freq.png", {243, 85}, {243, 90}},
    {SkinWindow::Main, "Light_Item.png", {221, 16}, {221, 16}},
    {SkinWindow::Main, "Direction-T-Enable.png", {36, 16}, {36, 16}},
    {SkinWindow::Main, "Direction-T-Disable.png", {36, 16}, {36, 16}},
    {SkinWindow::Main, "Direction-B-Enable.png", {36, 16}, {36, 16}},
    {SkinWindow::Main, "Direction-B-Disable.png", {36, 16}, {36, 16}},
    {SkinWindow::Main, "Direction-L-Enable.png", {36, 16}, {36, 16}},
    {SkinWindow::Main, "Direction-L-Disable.png", {36, 16}, {36, 16}},
    {SkinWindow::Main, "Direction-R-Enable.png", {36, 16}, {36, 16}},
    {SkinWindow::Main, "Direction-R-Disable.png", {36, 16}, {36, 16}},
    {SkinWindow::Main, "Enable.png", {11, 10}, {11, 10}}, // game mode on (34, c + 198)-(44, c + 207)
    {SkinWindow::Main, "Disable.png", {11, 10}, {11, 10}},
    {SkinWindow::Main, "Thumb.png", {15, 14}, {15, 14}},
    {SkinWindow::Main, "MacroManagementBK.png", {243, 55}, {243, 55}},
    {SkinWindow::Main, "MacroButton3.png", {241, 19}, {241, 19}},
    {SkinWindow::Main, "gamemode_Close.png", {243, 21}, {243, 55}},
    {SkinWindow::Main, "gamemode_open.png", {243, 47}, {243, 55}},
    {SkinWindow::Main, "responsetime_close.png", {243, 21}, {243, 40}},
    {SkinWindow::Main, "responsetime_open.png", {243, 45}, {243, 75}},
    {SkinWindow::Main, "reportrate_Close.png", {243, 21}, {243, 40}},
    {SkinWindow::Main, "reportrate_Open.png", {243, 41}, {243, 83}},
    // Key assignment dialog.
    {SkinWindow::KeyAssignment, "Custom_BK.png", {326, 269}, {kAny, kAny}},
    {SkinWindow::KeyAssignment, "button-close-normal.png", {16, 16}, {16, 16}},
    {SkinWindow::KeyAssignment, "button-close-over.png", {16, 16}, {16, 16}},
    {SkinWindow::KeyAssignment, "large_button.png", {82, 27}, {82, 27}},
    {SkinWindow::KeyAssignment, "single_combine_option.png", {326, 7}, {326, 7}},
    {SkinWindow::KeyAssignment, "Disable.png", {11, 10}, {11, 10}},
    {SkinWindow::KeyAssignment, "Enable.png", {11, 10}, {11, 10}},
    {SkinWindow::KeyAssignment, "disable.png", {11, 10}, {11, 10}}, // the radios name them in lower case
    {SkinWindow::KeyAssignment, "enable.png", {11, 10}, {11, 10}},
    {SkinWindow::KeyAssignment, "button-cancel-normal.png", {42, 23}, {42, 23}},
    {SkinWindow::KeyAssignment, "button-cancel-over.png", {42, 23}, {42, 23}},
    {SkinWindow::KeyAssignment, "button-save-normal.png", {42, 23}, {42, 23}},
    {SkinWindow::KeyAssignment, "button-save-over.png", {42, 23}, {42, 23}},
    {SkinWindow::KeyAssignment, "cursor.png", {5, 3}, {40, 27}},
    {SkinWindow::KeyAssignment, "Macro_BK.png", {288, 108}, {311, 174}},
    {SkinWindow::KeyAssignment, "Advanced.png", {159, 16}, {159, 16}},
    {SkinWindow::KeyAssignment, "view.png", {47, 16}, {47, 16}},
    {SkinWindow::KeyAssignment, "view02.png", {47, 16}, {47, 16}},
    // Macro manager.
    {SkinWindow::MacroManager, "MacroManagement.png", {398, 425}, {kAny, kAny}},
    {SkinWindow::MacroManager, "Record-normal.png", {90, 25}, {90, 25}},
    {SkinWindow::MacroManager, "Record-over.png", {90, 25}, {90, 25}},
    {SkinWindow::MacroManager, "Pane.png", {15, 15}, {15, 15}},
    {SkinWindow::MacroManager, "PaneMakingTick.png", {15, 15}, {15, 15}},
    {SkinWindow::MacroManager, "button-new-normal.png", {58, 25}, {58, 25}},
    {SkinWindow::MacroManager, "button-new-over.png", {58, 25}, {58, 25}},
    // Profile manager.
    {SkinWindow::ProfileManager, "Config.png", {263, 625}, {kAny, kAny}},
    {SkinWindow::ProfileManager, "button-close-normal.png", {16, 15}, {16, 15}},
    {SkinWindow::ProfileManager, "New.png", {67, 50}, {67, 50}},
    {SkinWindow::ProfileManager, "Delete.png", {67, 50}, {67, 50}},
};

QStringList relativeFiles(const QString &root) {
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

QImage load(Language language, const char *name) {
    return QImage(skinFolder(executableFolder(), language, SkinWindow::Main) + name).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class SkinImagesTest : public QObject {
    Q_OBJECT
private slots:
    void everyImageExistsInItsSize_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("entry");
        for (const Language language : {Language::English, Language::Chinese})
            for (int i = 0; i < int(std::size(kImages)); ++i)
                QTest::newRow(qPrintable(languageFolderName(language) + "/" + kImages[i].name))
                    << int(language) << i;
    }
    void everyImageExistsInItsSize() {
        QFETCH(int, language);
        QFETCH(int, entry);
        const Expected &e = kImages[entry];
        SkinImageCache cache;
        const QString folder = skinFolder(executableFolder(), Language(language), e.window);
        const QSize size = LoadSkinImageSize(cache, folder, e.name);
        QVERIFY2(!size.isEmpty(), qPrintable(folder + e.name + " is missing"));
        QVERIFY2(size.width() >= e.min.width() && size.height() >= e.min.height() &&
                     size.width() <= e.max.width() && size.height() <= e.max.height(),
                 qPrintable(QString("%1 x %2").arg(size.width()).arg(size.height())));
    }

    void bothLanguagesHoldTheSameFiles() {
        const QString png = executableFolder() + "png/";
        const QStringList english = relativeFiles(png + "english");
        QVERIFY(english.size() >= 60);
        QCOMPARE(relativeFiles(png + "chinese"), english);
    }

    // The keyboard pictures sit inside the main window, between the top and the lower bar.
    void keyboardPicturesFitTheMainWindow() {
        SkinImageCache cache;
        const QString folder = skinFolder(executableFolder(), Language::English, SkinWindow::Main);
        const QSize main = LoadSkinImageSize(cache, folder, "main.png");
        const QSize unlit = LoadSkinImageSize(cache, folder, "kb_BK.png");
        QCOMPARE(LoadSkinImageSize(cache, folder, "kb_hl.png"), unlit);
        QVERIFY(278 + unlit.width() <= main.width());
        QVERIFY(107 + unlit.height() <= 603);
    }

    // kb_hl.png differs from kb_BK.png in every key's rectangle (each key is drawn lit), including
    // the lower piece of Enter, and nowhere else: a lit key copied out of it never brings pixels
    // of its neighbours along.
    void litPictureChangesExactlyTheKeys_data() {
        QTest::addColumn<int>("language");
        QTest::newRow("english") << int(Language::English);
        QTest::newRow("chinese") << int(Language::Chinese);
    }
    void litPictureChangesExactlyTheKeys() {
        QFETCH(int, language);
        const QImage unlit = load(Language(language), "kb_BK.png");
        const QImage lit = load(Language(language), "kb_hl.png");
        QVERIFY(!unlit.isNull() && !lit.isNull());
        QImage keys(unlit.size(), QImage::Format_Mono);
        keys.fill(0);
        auto mark = [&](const QRect &r) {
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    keys.setPixel(x, y, 1);
        };
        for (int index = 0; index < kKeyCount; ++index) {
            const KeyRect &k = keyAt(index).rect;
            if (!keyAt(index).onPicture())
                continue;
            const QRect r = index == 54 ? QRect(k.left, k.top, 57, 33) : QRect(k.left, k.top, k.right - k.left, k.bottom - k.top);
            mark(r);
            int changed = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    changed += lit.pixel(x, y) != unlit.pixel(x, y);
            QVERIFY2(changed > r.width() * r.height() / 2, qPrintable(QString("key %1 is not lit").arg(index)));
        }
        const QRect enterLower(504, 224, 44, 38);
        mark(enterLower);
        int lowerChanged = 0;
        for (int y = enterLower.top(); y <= enterLower.bottom(); ++y)
            for (int x = enterLower.left(); x <= enterLower.right(); ++x)
                lowerChanged += lit.pixel(x, y) != unlit.pixel(x, y);
        QVERIFY2(lowerChanged > enterLower.width() * enterLower.height() / 2, "Enter's lower piece is not lit");
        QStringList outside;
        for (int y = 0; y < unlit.height(); ++y)
            for (int x = 0; x < unlit.width(); ++x)
                if (!keys.pixelIndex(x, y) && lit.pixel(x, y) != unlit.pixel(x, y))
                    outside << QString("(%1, %2)").arg(x).arg(y);
        QVERIFY2(outside.isEmpty(), qPrintable("lit outside the keys at " + outside.mid(0, 8).join(' ')));
    }
};

QTEST_MAIN(SkinImagesTest)
#include "tst_skin_images.moc"
