// The transparent list box: in-place editing in its three modes, the messages to the parent and
// their order, the editor's keys and focus, scrolling while an edit is open, the drawing of
// delay-edit lines and the background snapshot.
#include "controls/ListEditRules.h"
#include "controls/TransparentListBox.h"

#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

using namespace quenlar::controls;

namespace {

// A parent window holding one list, recording every message the list sends, in order.
struct ListFixture {
    QStringList messages; // outlives the window, which may still report while it closes
    QWidget parent;
    CTransparentListBox *list;

    explicit ListFixture(ListEditMode mode, const QStringList &items, bool sorted = false, bool notify = false) {
        parent.resize(300, 320);
        list = new CTransparentListBox(&parent);
        list->SetAppearance(Qt::black, 2, 16, "Arial", Qt::white, QColor(0, 255, 255), true);
        list->SetEditMode(mode);
        list->setSorted(sorted);
        list->setNotify(notify);
        list->setGeometry(20, 20, 113, 160);
        for (const QString &text : items)
            list->AddString(text);
        QObject::connect(list, &CTransparentListBox::listEditBegin, [this] { messages << "1780"; });
        QObject::connect(list, &CTransparentListBox::listEditDone,
                         [this](int w, int l) { messages << QString("1781 %1 %2").arg(w).arg(l); });
        QObject::connect(list, &CTransparentListBox::listItemChanged,
                         [this](int index, const QString &old) { messages << QString("34880 %1 %2").arg(index).arg(old); });
        parent.show();
        QApplication::setActiveWindow(&parent);
    }

    void edit(int row, const QString &typed) {
        list->setCurrentRow(row);
        list->BeginEdit();
        QVERIFY(list->editor());
        list->editor()->selectAll();
        QTest::keyClicks(list->editor(), typed);
    }

    QStringList texts() const {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
};

const QStringList kEventLines{"Ctrl dn", "250 ms", "C dn", "36 ms", "C up", "120 ms", "Ctrl up"};

} // namespace

class ListBoxTest : public QObject {
    Q_OBJECT
private slots:
    void delayEditShowsOnlyTheNumber() {
        ListFixture f(ListEditMode::DelayEdit, kEventLines);
        f.list->setCurrentRow(1);
        f.list->BeginEdit();
        QCOMPARE(f.messages, QStringList{"1780"});
        QCOMPARE(f.list->editor()->text(), QString("250"));
        QCOMPARE(f.list->itemBeingEdited(), 1);
        QCOMPARE(f.list->editStartItem(), 1);
        QCOMPARE(f.list->editor()->selectedText(), QString("250"));
        QVERIFY(f.list->editor()->hasFocus());
    }

    void delayEditCommits_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("line");
        QTest::newRow("above the limit") << "75000" << 60000 << "60000 ms";
        QTest::newRow("far above any integer") << "99999999999999999999" << 60000 << "60000 ms";
        QTest::newRow("below the minimum") << "1" << 2 << "2 ms";
        QTest::newRow("no digits") << "" << 2 << "2 ms";
        QTest::newRow("in range") << "480" << 480 << "480 ms";
        QTest::newRow("unchanged value still reported") << "250" << 250 << "250 ms";
    }
    void delayEditCommits() {
        QFETCH(QString, typed);
        QFETCH(int, value);
        QFETCH(QString, line);
        ListFixture f(ListEditMode::DelayEdit, kEventLines);
        f.edit(1, typed);
        if (typed.isEmpty())
            QTest::keyClick(f.list->editor(), Qt::Key_Backspace);
        f.messages.clear();
        QTest::keyClick(f.list->editor(), Qt::Key_Return);
        QCOMPARE(f.messages, QStringList{QString("1781 1 %1").arg(value)});
        QCOMPARE(f.list->item(1)->text(), line);
        QCOMPARE(f.list->itemBeingEdited(), -1);
        QVERIFY(!f.list->editor());
        QCOMPARE(f.list->count(), kEventLines.size());
    }

    void delayEditorAcceptsDigitsOnly() {
        ListFixture f(ListEditMode::DelayEdit, kEventLines);
        f.edit(3, "1a2-b3");
        QCOMPARE(f.list->editor()->text(), QString("123"));
    }

    void escapeClosesWithoutMessages() {
        ListFixture f(ListEditMode::DelayEdit, kEventLines);
        f.edit(1, "999");
        f.messages.clear();
        QTest::keyClick(f.list->editor(), Qt::Key_Escape);
        QVERIFY(f.messages.isEmpty());
        QCOMPARE(f.texts(), kEventLines);
        QVERIFY(!f.list->editor());
        QCOMPARE(f.list->itemBeingEdited(), -1);
        QTest::qWait(1); // the editor's deferred deletion and its focus loss change nothing
        QVERIFY(f.messages.isEmpty());
    }

    void clickingElsewhereCommits() {
        ListFixture f(ListEditMode::DelayEdit, kEventLines);
        f.edit(5, "700");
        f.messages.clear();
        f.list->setFocus(); // the editor loses the focus
        QCOMPARE(f.messages, QStringList{"1781 5 700"});
        QCOMPARE(f.list->item(5)->text(), QString("700 ms"));
    }

    void keyLinesOfADelayListCannotBeEdited() {
        ListFixture f(ListEditMode::DelayEdit, kEventLines);
        f.list->setCurrentRow(2); // "C dn"
        const QPoint inside = f.list->itemRectAt(2).center();
        QTest::mouseDClick(f.list->viewport(), Qt::LeftButton, {}, inside);
        QVERIFY(!f.list->editor());
        QVERIFY(f.messages.isEmpty());
        QTest::mouseDClick(f.list->viewport(), Qt::LeftButton, {}, f.list->itemRectAt(3).center());
        QVERIFY(f.list->editor());
        QCOMPARE(f.list->editor()->text(), QString("36"));
    }

    void doubleClickWithNothingSelectedDoesNothing() {
        ListFixture f(ListEditMode::PlainRename, {"One", "Two"});
        QTest::mouseDClick(f.list->viewport(), Qt::LeftButton, {}, QPoint(50, 150)); // below the items
        QVERIFY(!f.list->editor());
        QVERIFY(f.messages.isEmpty());
    }

    // Mode 3 in a sorted list with the notify style: the renamed item moves to its sorted
    // place, then 34880 (new index, old text) and 1781 (old index, new index) follow.
    void sortedRenameReportsBothMessagesInOrder() {
        ListFixture f(ListEditMode::RenameReported, {"Alpha", "Bravo", "Charlie", "Delta"}, true, true);
        f.edit(2, "Zulu");
        f.messages.clear();
        QTest::keyClick(f.list->editor(), Qt::Key_Return);
        QCOMPARE(f.messages, (QStringList{"34880 3 Charlie", "1781 2 3"}));
        QCOMPARE(f.texts(), (QStringList{"Alpha", "Bravo", "Delta", "Zulu"}));
        QCOMPARE(f.list->currentRow(), 3);
        QVERIFY(f.list->item(3)->isSelected());
    }

    void renameKeepsCaseInsensitiveOrder() {
        ListFixture f(ListEditMode::RenameReported, {"alpha", "Bravo", "delta"}, true, true);
        f.edit(0, "charlie");
        QTest::keyClick(f.list->editor(), Qt::Key_Return);
        QCOMPARE(f.texts(), (QStringList{"Bravo", "charlie", "delta"}));
        QCOMPARE(f.messages.last(), QString("1781 0 1"));
    }

    void unchangedRenameSendsNothing() {
        ListFixture f(ListEditMode::RenameReported, {"Alpha", "Bravo", "Charlie"}, true, true);
        f.edit(1, "Bravo");
        f.messages.clear();
        QTest::keyClick(f.list->editor(), Qt::Key_Return);
        QVERIFY(f.messages.isEmpty());
        QCOMPARE(f.texts(), (QStringList{"Alpha", "Bravo", "Charlie"}));
    }

    void plainRenameStaysInPlaceAndReportsOnlyWithNotify_data() {
        QTest::addColumn<bool>("notify");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("plain") << false << QStringList{};
        QTest::newRow("notify style") << true << QStringList{"34880 0 Zed"};
    }
    void plainRenameStaysInPlaceAndReportsOnlyWithNotify() {
        QFETCH(bool, notify);
        QFETCH(QStringList, expected);
        ListFixture f(ListEditMode::PlainRename, {"Zed", "Amy"}, false, notify);
        f.edit(0, "Bob");
        f.messages.clear();
        QTest::keyClick(f.list->editor(), Qt::Key_Return);
        QCOMPARE(f.messages, expected);
        QCOMPARE(f.texts(), (QStringList{"Bob", "Amy"}));
    }

    void scrollingCommitsAnOpenEdit_data() {
        QTest::addColumn<bool>("wheel");
        QTest::newRow("scroll bar") << false;
        QTest::newRow("wheel") << true;
    }
    void scrollingCommitsAnOpenEdit() {
        QFETCH(bool, wheel);
        QStringList lines;
        for (int i = 0; i < 30; ++i)
            lines << QString("%1 ms").arg(10 + i);
        ListFixture f(ListEditMode::DelayEdit, lines);
        f.edit(0, "4321");
        f.messages.clear();
        if (wheel) {
            QWheelEvent turn(QPointF(40, 40), f.list->viewport()->mapToGlobal(QPointF(40, 40)), QPoint(),
                             QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(f.list->viewport(), &turn);
        } else {
            f.list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        }
        QCOMPARE(f.messages, QStringList{"1781 0 4321"});
        QCOMPARE(f.list->item(0)->text(), QString("4321 ms"));
        QVERIFY(!f.list->editor());
        QVERIFY(f.list->verticalScrollBar()->value() > 0);
    }

    void resizingCommitsAnOpenEdit() {
        ListFixture f(ListEditMode::PlainRename, {"One", "Two"});
        f.edit(1, "Three");
        f.list->resize(120, 100);
        QCOMPARE(f.texts(), (QStringList{"One", "Three"}));
        QVERIFY(!f.list->editor());
    }

    void lineLooks_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("icon");
        const int delay = int(ListEditMode::DelayEdit);
        QTest::newRow("press line") << delay << "Ctrl dn" << "Ctrl " << int(LineIcon::Press);
        QTest::newRow("release line") << delay << "Ctrl up" << "Ctrl " << int(LineIcon::Release);
        QTest::newRow("delay line") << delay << "250 ms" << "250 ms" << int(LineIcon::Delay);
        QTest::newRow("dn wins over up") << delay << "up dn" << "up " << int(LineIcon::Press);
        QTest::newRow("every mark removed") << delay << "dndn" << "" << int(LineIcon::Press);
        QTest::newRow("rename mode: no icon") << int(ListEditMode::PlainRename) << "Ctrl dn" << "Ctrl dn" << int(LineIcon::None);
    }
    void lineLooks() {
        QFETCH(int, mode);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(int, icon);
        const LineLook look = lineLook(ListEditMode(mode), text);
        QCOMPARE(look.text, shown);
        QCOMPARE(int(look.icon), icon);
    }

    // A press line is drawn without "dn", with the press icon 20 pixels from the right edge.
    void pressLineDrawsItsIconAtTheRight() {
        ListFixture f(ListEditMode::DelayEdit, {"Q dn"});
        QImage press(10, 14, QImage::Format_ARGB32);
        press.fill(qRgb(0, 250, 0));
        QImage other(14, 14, QImage::Format_ARGB32);
        other.fill(qRgb(250, 0, 250));
        f.list->setIcons(press, other, other);
        const QImage shot = f.list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect row = f.list->itemRectAt(0);
        const int x = row.x() + row.width() - 20;
        QCOMPARE(shot.pixel(x, row.y()), qRgb(0, 250, 0));
        QCOMPARE(shot.pixel(x + 9, row.y() + 13), qRgb(0, 250, 0));
        QVERIFY(shot.pixel(x - 1, row.y() + 5) != qRgb(0, 250, 0));
    }

    // Modes 0 and 1 show the background bitmap from its pixel (7, 22); mode 3 the parent's pixels.
    void snapshotComesFromTheBackgroundBitmap() {
        ListFixture f(ListEditMode::PlainRename, {});
        QImage bitmap(127, 305, QImage::Format_RGB32);
        bitmap.fill(qRgb(0, 0, 0));
        bitmap.setPixel(7, 22, qRgb(200, 100, 50));
        bitmap.setPixel(8, 23, qRgb(10, 20, 30));
        f.list->setBackgroundBitmap(bitmap);
        const QImage shot = f.list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.pixel(0, 0), qRgb(200, 100, 50));
        QCOMPARE(shot.pixel(1, 1), qRgb(10, 20, 30));
        QVERIFY(f.list->backgroundValid());
    }

    void renameReportedModeShowsTheParentUnderIt() {
        struct Painted : QWidget {
            void paintEvent(QPaintEvent *) override {
                QPainter p(this);
                p.fillRect(rect(), QColor(12, 34, 56));
                p.fillRect(QRect(20, 20, 5, 5), QColor(250, 200, 100));
            }
        } parent;
        parent.resize(200, 200);
        auto *list = new CTransparentListBox(&parent);
        list->SetEditMode(ListEditMode::RenameReported);
        list->setGeometry(20, 20, 100, 100);
        parent.show();
        const QImage shot = list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.pixel(0, 0), qRgb(250, 200, 100));
        QCOMPARE(shot.pixel(50, 50), qRgb(12, 34, 56));
    }

    void movingTakesANewSnapshot() {
        ListFixture f(ListEditMode::PlainRename, {"One"});
        f.list->viewport()->grab();
        QVERIFY(f.list->backgroundValid());
        f.list->move(30, 30);
        QVERIFY(!f.list->backgroundValid());
    }
};

QTEST_MAIN(ListBoxTest)
#include "tst_list_box.moc"
