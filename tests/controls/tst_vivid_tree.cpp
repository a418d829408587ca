// The function tree: its background modes, the selection band that follows the focus, its own
// expand buttons and the placement of scrolled content.
#include "controls/ProgramBitmaps.h"
#include "controls/TreePlacement.h"
#include "controls/VividTree.h"

#include <QScrollBar>
#include <QtTest>

using namespace quenlar::controls;

namespace {

constexpr QRgb kSolid = qRgb(30, 30, 30);
constexpr QRgb kBand = qRgb(102, 46, 47);

// A dialog with the tree as the key assignment dialog sets it up, and a second control to take
// the focus away.
struct TreeFixture {
    QWidget dialog;
    VividTree *tree;
    QWidget *other;
    QTreeWidgetItem *search, *media, *play;

    TreeFixture() {
        dialog.resize(330, 240);
        tree = new VividTree(&dialog);
        tree->setGeometry(10, 60, 295, 160);
        tree->LoadTreeBitmaps();
        tree->m_iBackgroundMode = VividTree::SolidBackground;
        other = new QWidget(&dialog);
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(0, 0, 10, 10);
        search = new QTreeWidgetItem(tree, QStringList("Search"));
        media = new QTreeWidgetItem(tree, QStringList("Media"));
        play = new QTreeWidgetItem(media, QStringList("Play/Pause"));
        new QTreeWidgetItem(media, QStringList("Stop"));
        dialog.show();
        QApplication::setActiveWindow(&dialog);
    }

    int rowTop(QTreeWidgetItem *item) const { return tree->visualItemRect(item).top(); }
};

} // namespace

class VividTreeTest : public QObject {
    Q_OBJECT
private slots:
    void emptyTreePaintsOnlyItsBackground_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("bitmap, tiled") << int(VividTree::BitmapBackground);
        QTest::newRow("gradient") << int(VividTree::GradientBackground);
        QTest::newRow("solid") << int(VividTree::SolidBackground);
    }
    void emptyTreePaintsOnlyItsBackground() {
        QFETCH(int, mode);
        VividTree tree;
        tree.resize(200, 120);
        tree.LoadTreeBitmaps();
        tree.setTileBackground(true);
        tree.m_iBackgroundMode = mode;
        tree.show();
        const QImage image = tree.renderTree();
        QCOMPARE(image.size(), tree.viewport()->size());
        const QImage tile = ProgramBitmaps::treeBackground().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (mode == VividTree::SolidBackground)
                    QCOMPARE(pixel, kSolid);
                else if (mode == VividTree::BitmapBackground)
                    QCOMPARE(pixel, tile.pixel(x % tile.width(), y % tile.height()));
                else
                    QCOMPARE(pixel, image.pixel(x, 0)); // a horizontal gradient: every row alike
            }
        }
        if (mode == VividTree::GradientBackground) {
            QVERIFY(qRed(image.pixel(0, 0)) >= 250);
            QVERIFY(qAbs(qRed(image.pixel(image.width() - 1, 0)) - 213) <= 3);
            QVERIFY(qAbs(qBlue(image.pixel(image.width() - 1, 0)) - 224) <= 3);
        }
    }

    void bandFollowsTheFocus() {
        TreeFixture f;
        f.tree->setCurrentItem(f.search);
        f.tree->setFocus();
        QVERIFY(QTest::qWaitFor([&] { return f.tree->hasFocus(); }));
        QImage image = f.tree->renderTree();
        const int y = f.rowTop(f.search) + 2;
        QCOMPARE(image.pixel(0, y), kBand);
        QCOMPARE(image.pixel(image.width() - 1, y), kBand);
        QCOMPARE(image.pixel(0, f.rowTop(f.media) + 2), kSolid);

        f.other->setFocus();
        QVERIFY(QTest::qWaitFor([&] { return !f.tree->hasFocus(); }));
        image = f.tree->renderTree();
        QCOMPARE(image.pixel(0, y), kSolid);

        f.tree->setShowSelectionAlways(true);
        image = f.tree->renderTree();
        QCOMPARE(image.pixel(0, y), kBand);
    }

    void bandMovesWithTheSelection() {
        TreeFixture f;
        f.tree->setFocus();
        QVERIFY(QTest::qWaitFor([&] { return f.tree->hasFocus(); }));
        f.media->setExpanded(true);
        f.tree->setCurrentItem(f.play);
        const QImage image = f.tree->renderTree();
        QCOMPARE(image.pixel(0, f.rowTop(f.play) + 2), kBand);
        QCOMPARE(image.pixel(0, f.rowTop(f.search) + 2), kSolid);
    }

    // Items with children get the collapsed or expanded button 2 pixels left of their text, which
    // starts 7 pixels right of the platform's place; items without children get none.
    void buttonsOnlyForItemsWithChildren() {
        TreeFixture f;
        const QImage collapsed = ProgramBitmaps::treeCollapsed().convertToFormat(QImage::Format_RGB32);
        const QImage expanded = ProgramBitmaps::treeExpanded().convertToFormat(QImage::Format_RGB32);
        auto buttonAt = [&](QTreeWidgetItem *item) {
            const QRect cell = f.tree->visualItemRect(item);
            return QPoint(cell.left() + VividTree::kTextShift - 9 - 2, cell.top() + 4);
        };
        QImage image = f.tree->renderTree();
        QPoint at = buttonAt(f.media);
        QCOMPARE(image.pixel(at + QPoint(4, 2)), collapsed.pixel(4, 2)); // the "+" bar
        QCOMPARE(image.pixel(at), collapsed.pixel(0, 0));
        at = buttonAt(f.search);
        QCOMPARE(image.pixel(at), kSolid);
        QCOMPARE(image.pixel(at + QPoint(4, 2)), kSolid);

        f.media->setExpanded(true);
        image = f.tree->renderTree();
        at = buttonAt(f.media);
        QCOMPARE(image.pixel(at + QPoint(4, 4)), expanded.pixel(4, 4));
        QCOMPARE(image.pixel(at + QPoint(1, 1)), expanded.pixel(1, 1));
        at = buttonAt(f.play);
        QCOMPARE(image.pixel(at + QPoint(4, 2)), kSolid);
    }

    void textIsWhiteAndShifted() {
        TreeFixture f;
        const QImage image = f.tree->renderTree();
        const QRect cell = f.tree->visualItemRect(f.search);
        int firstInk = -1;
        for (int x = 0; x < image.width() && firstInk < 0; ++x)
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                if (image.pixel(x, y) != kSolid) {
                    firstInk = x;
                    break;
                }
        QVERIFY(firstInk >= cell.left() + VividTree::kTextShift);
        QVERIFY(firstInk <= cell.left() + VividTree::kTextShift + 3);
        bool white = false;
        for (int x = firstInk; x < firstInk + 40; ++x)
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                white = white || image.pixel(x, y) == qRgb(255, 255, 255);
        QVERIFY(white);
    }

    // Scrolling down moves the gradient with the content: the top row no longer shows the start.
    void scrolledGradientFollowsTheContent() {
        VividTree tree;
        tree.resize(200, 100);
        tree.setGradient(Qt::white, Qt::black, false);
        for (int i = 0; i < 40; ++i)
            new QTreeWidgetItem(&tree, QStringList(QString("Item %1").arg(i)));
        tree.show();
        QTRY_VERIFY(tree.verticalScrollBar()->isVisible());
        const QRgb top = tree.renderTree().pixel(tree.viewport()->width() - 1, 0);
        tree.verticalScrollBar()->setValue(10);
        const QRgb scrolled = tree.renderTree().pixel(tree.viewport()->width() - 1, 0);
        QVERIFY(qRed(top) >= 250);
        QVERIFY2(qRed(scrolled) < qRed(top) - 40, qPrintable(QString::number(qRed(scrolled))));
    }

    void placement_data() {
        QTest::addColumn<bool>("hVisible");
        QTest::addColumn<int>("hPos");
        QTest::addColumn<int>("hMax");
        QTest::addColumn<bool>("vVisible");
        QTest::addColumn<int>("vPos");
        QTest::addColumn<int>("vMin");
        QTest::addColumn<int>("vMax");
        QTest::addColumn<int>("xOrigin");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("yOrigin");
        QTest::addColumn<int>("height");
        // Client 295 x 160 at (0, 0), items 16 high.
        QTest::newRow("no scroll bars") << false << 0 << 0 << false << 0 << 0 << 0 << 0 << 295 << 0 << 160;
        QTest::newRow("scrolled down 3 items") << false << 0 << 0 << true << 3 << 0 << 29 << 0 << 295 << -48 << 17 * 31;
        QTest::newRow("range 0..100 counts as empty") << false << 0 << 0 << true << 0 << 0 << 100 << 0 << 295 << 0 << 160;
        QTest::newRow("short range keeps the client height") << false << 0 << 0 << true << 1 << 0 << 5 << 0 << 295 << -16 << 160;
        QTest::newRow("scrolled across") << true << 40 << 499 << false << 0 << 0 << 0 << -40 << 500 << 0 << 160;
        QTest::newRow("narrow range keeps the client width") << true << 5 << 100 << false << 0 << 0 << 0 << -5 << 295 << 0 << 160;
    }
    void placement() {
        QFETCH(bool, hVisible);
        QFETCH(int, hPos);
        QFETCH(int, hMax);
        QFETCH(bool, vVisible);
        QFETCH(int, vPos);
        QFETCH(int, vMin);
        QFETCH(int, vMax);
        const TreePlacement p = placeTree(QRect(0, 0, 295, 160), ScrollState{hVisible, hPos, 0, hMax},
                                          ScrollState{vVisible, vPos, vMin, vMax}, 16);
        QTEST(p.xOrigin, "xOrigin");
        QTEST(p.virtualWidth, "width");
        QTEST(p.yOrigin, "yOrigin");
        QTEST(p.virtualHeight, "height");
    }

    void iconIsKeptNotDrawn() {
        VividTree tree;
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        const QIcon icon(pixmap);
        tree.setTreeIcon(icon);
        QCOMPARE(tree.treeIcon().cacheKey(), icon.cacheKey());
    }
};

QTEST_MAIN(VividTreeTest)
#include "tst_vivid_tree.moc"
