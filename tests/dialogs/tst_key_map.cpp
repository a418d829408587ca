// The key assignment dialog's capture page driven like a user: keys from the keyboard, the focus
// rules of the two edits, Enter and Escape, Cancel, dragging; then the request applied as the main
// window applies it, checked in keymap.bin and in the virtual keyboard.
#include "DialogTestSupport.h"
#include "KeyMapFixture.h"

#include "dialogs/CKeyMap.h"
#include "dialogs/SkinnedDialogs.h"
#include "macro/MacroLibrary.h"
#include "platform/KeyCapture.h"

using namespace quenlar;
using namespace quenlar::dialogs;
using namespace quenlar::testing;

class KeyMapTest : public QObject {
    Q_OBJECT
private slots:
    void combineRecordReloadsAndSavesUnchanged() {
        KeyMapFixture f;
        giveCombine(f.records.working[kQKey], {'A', 'S'});
        f.open(kQKey);
        QCOMPARE(f.edit("combineEdit")->text(), QStringLiteral("A + S "));
        QVERIFY(f.edit("combineEdit")->hasFocus());
        f.click(CKeyMap::Save);
        QVERIFY(f.closedWithOk());
        QCOMPARE(f.request().category, AssignmentCategory::Combine);
        QCOMPARE(f.request().keyCount, 2);
        f.applyRequest(kQKey);
        const auto [state, records] = f.readKeymapFile();
        QCOMPARE(state.keyAction(keyAt(kQKey).matrixSlot()), (KeyAction{0, 0x04, 0x16, 0}));
        QCOMPARE(records[kQKey].keyCount, uint8_t{2});
        QVERIFY(f.writeToKeyboard());
        QCOMPARE(f.keyboardAction(kQKey), (KeyAction{0, 0x04, 0x16, 0}));
    }
    void aFourthCombinedKeyStartsANewCombination() {
        KeyMapFixture f;
        f.open(kQKey);
        f.focusEdit("combineEdit");
        for (Qt::Key key : {Qt::Key_A, Qt::Key_B, Qt::Key_C})
            f.type(key);
        QCOMPARE(f.edit("combineEdit")->text(), QStringLiteral("A + B + C "));
        f.type(Qt::Key_D);
        QCOMPARE(f.edit("combineEdit")->text(), QStringLiteral("D "));
        f.click(CKeyMap::Save);
        QVERIFY(f.closedWithOk());
        QCOMPARE(f.request().keyCount, 1);
        QCOMPARE(f.request().capturedKeys[0], uint8_t{'D'});
        QCOMPARE(f.request().capturedKeys[1], uint8_t{0});
        f.applyRequest(kQKey);
        QCOMPARE(f.readKeymapFile().first.keyAction(keyAt(kQKey).matrixSlot()), (KeyAction{0, 0x07, 0, 0}));
    }
    void deleteAllEmptiesTheCombination() {
        KeyMapFixture f;
        f.open(kQKey);
        f.focusEdit("combineEdit");
        f.type(Qt::Key_A);
        f.type(Qt::Key_S);
        choosePopupCommand(CKeyMap::kDeleteAllCommand);
        QContextMenuEvent menuRequest(QContextMenuEvent::Mouse, QPoint(10, 5), f.edit("combineEdit")->mapToGlobal(QPoint(10, 5)));
        QApplication::sendEvent(f.edit("combineEdit"), &menuRequest);
        QCOMPARE(f.edit("combineEdit")->text(), QString());
        QCOMPARE(f.request().keyCount, 0);
        f.type(Qt::Key_D);
        QCOMPARE(f.edit("combineEdit")->text(), QStringLiteral("D "));
    }

    void singleModeKeepsTheLastKey() {
        KeyMapFixture f;
        f.open(kEscKey);
        f.focusEdit("singleEdit");
        f.type(Qt::Key_F5);
        f.type(Qt::Key_F6);
        QCOMPARE(f.edit("singleEdit")->text(), QStringLiteral("F6 "));
        f.click(CKeyMap::Save);
        QVERIFY(f.closedWithOk());
        QCOMPARE(f.request().category, AssignmentCategory::Single);
        QCOMPARE(f.request().keyCount, 1);
        f.applyRequest(kEscKey);
        const auto [state, records] = f.readKeymapFile();
        QCOMPARE(state.keyAction(keyAt(kEscKey).matrixSlot()), (KeyAction{0, 0, 0x3F, 0}));
        QCOMPARE(records[kEscKey].keyData[0], uint8_t{0x75});
        QVERIFY(f.writeToKeyboard());
        QCOMPARE(f.keyboardAction(kEscKey), (KeyAction{0, 0, 0x3F, 0}));
    }
    void clickingIntoSingleAfterACombineRecordRestoresTheKey() {
        KeyMapFixture f;
        giveCombine(f.records.working[kQKey], {'A', 'S'});
        f.open(kQKey);
        f.focusEdit("singleEdit");
        QCOMPARE(f.edit("combineEdit")->text(), QString());
        f.click(CKeyMap::Save);
        QVERIFY(f.closedWithOk());
        QCOMPARE(f.request().category, AssignmentCategory::RestoreKey);
        f.applyRequest(kQKey);
        const auto [state, records] = f.readKeymapFile();
        QCOMPARE(state.keyAction(keyAt(kQKey).matrixSlot()), (KeyAction{0, 0, 0x14, 0}));
        QCOMPARE(records[kQKey].category, uint8_t{0});
    }
    // A record from a damaged file: more keys than a combination holds and a count past the end.
    void aDamagedCombineRecordStaysWithinThreeKeys() {
        KeyMapFixture f;
        giveCombine(f.records.working[kQKey], {'A', 'S', 'D', 'F', 'G'});
        f.records.working[kQKey].keyCount = 200;
        f.open(kQKey);
        QCOMPARE(f.edit("combineEdit")->text(), QStringLiteral("A + S + D "));
        f.click(CKeyMap::Save);
        QVERIFY(f.closedWithOk());
        QCOMPARE(f.request().keyCount, 3);
        QCOMPARE(f.request().capturedKeys[3], uint8_t{0});
        f.applyRequest(kQKey);
        QCOMPARE(f.readKeymapFile().first.keyAction(keyAt(kQKey).matrixSlot()), (KeyAction{0, 0x04, 0x16, 0x07}));

        // A key typed into such a record starts a new combination.
        f.open(kQKey);
        f.type(Qt::Key_Z);
        QCOMPARE(f.edit("combineEdit")->text(), QStringLiteral("Z "));
        QCOMPARE(f.dialog->request().keyCount, 1);
    }

    void escapeAndEnterNeverCloseTheDialog() {
        KeyMapFixture f;
        f.open(kEscKey);
        f.focusEdit("singleEdit");
        f.type(Qt::Key_Escape);
        f.type(Qt::Key_Return);
        QVERIFY(f.dialog->isVisible());
        // Captured like any other key: Enter was the last one.
        QCOMPARE(f.edit("singleEdit")->text(), QStringLiteral("Enter "));
        // Without the capture the keys reach the dialog, which still does not close.
        f.dialog->findChild<KeyCapture *>()->removehook();
        QTest::keyClick(f.dialog.get(), Qt::Key_Escape);
        QTest::keyClick(f.dialog.get(), Qt::Key_Return);
        QVERIFY(f.dialog->isVisible());
    }
    void defaultWithDisableTickedLeavesTheKeyEnabled() {
        KeyMapFixture f;
        f.open(kF1Key);
        f.click(CKeyMap::DisableBox);
        QVERIFY(f.dialog->state().disableBox());
        f.click(CKeyMap::Default);
        QVERIFY(f.closedWithOk());
        QCOMPARE(f.request().keyCount, kRestoreDefaultKeyCount);
        f.applyRequest(kF1Key);
        QVERIFY(f.readKeymapFile().first.enableBit(keyAt(kF1Key).enableBit));
    }
    void disableTickedDisablesTheKeyOnTheKeyboard() {
        KeyMapFixture f;
        f.open(kF1Key);
        f.focusEdit("singleEdit");
        f.type(Qt::Key_F2);
        // The box's hit area reaches 5 pixels beyond its picture.
        f.click(CKeyMap::buttonRect(CKeyMap::DisableBox).topLeft() - QPoint(5, 5));
        f.click(CKeyMap::Save);
        QVERIFY(f.closedWithOk());
        QVERIFY(!f.request().keyEnabled);
        f.applyRequest(kF1Key);
        QVERIFY(!f.readKeymapFile().first.enableBit(keyAt(kF1Key).enableBit));
        QVERIFY(f.writeToKeyboard());
        const auto mask = f.keyboard.memory().keyEnableMask;
        const int bit = keyAt(kF1Key).enableBit;
        QCOMPARE((mask[bit / 8] >> (bit % 8)) & 1, 0);
    }
    void cancelAndCloseGiveNoRequest_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("Cancel") << int(CKeyMap::Cancel);
        QTest::newRow("close") << int(CKeyMap::Close);
    }
    void cancelAndCloseGiveNoRequest() {
        QFETCH(int, button);
        KeyMapFixture f;
        QWidget mainWindow;
        mainWindow.setGeometry(100, 80, 400, 300);
        mainWindow.show();
        QPoint openedAt;
        whenModalOpens(QStringLiteral("CKeyMap"), [&](QWidget &dialog) {
            openedAt = dialog.pos();
            QTest::keyClick(&dialog, Qt::Key_A);
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, CKeyMap::buttonRect(CKeyMap::Button(button)).center());
        });
        SkinnedDialogs dialogs(f.services);
        DialogContext context{Language::English, programFolder().toStdString(), f.dataFolder(), f.images, f.records,
                              f.macros, f.names};
        QVERIFY(!dialogs.runKeyAssignment(&mainWindow, context, kF1Key).has_value());
        QCOMPARE(openedAt, mainWindow.mapToGlobal(QPoint(0, 0)));
    }
    void draggingTheBackgroundMovesTheDialog() {
        KeyMapFixture f;
        f.open(kF1Key);
        const QPoint start = f.dialog->pos();
        const QPoint grip(5, 240); // background, no button
        QTest::mousePress(f.dialog.get(), Qt::LeftButton, {}, grip);
        QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(30, 20)), f.dialog->mapToGlobal(grip + QPoint(30, 20)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.dialog.get(), &move);
        QTest::mouseRelease(f.dialog.get(), Qt::LeftButton, {}, grip + QPoint(30, 20) - (f.dialog->pos() - start));
        QCOMPARE(f.dialog->pos(), start + QPoint(30, 20));
        QVERIFY(f.dialog->isVisible());
    }
    void screenshotsOfEveryPage_data() {
        QTest::addColumn<Language>("language");
        QTest::newRow("english") << Language::English;
        QTest::newRow("chinese") << Language::Chinese;
    }
    void screenshotsOfEveryPage() {
        QFETCH(Language, language);
        const QString suffix = language == Language::Chinese ? QStringLiteral("chinese") : QStringLiteral("english");
        KeyMapFixture f(language);
        appendNewMacro(f.macros);
        appendNewMacro(f.macros);
        giveCombine(f.records.working[kQKey], {0xA2, 'C'});
        f.open(kQKey);
        f.focusEdit("singleEdit");
        f.type(Qt::Key_F5);
        f.focusEdit("combineEdit");
        f.type(Qt::Key_Control);
        f.type(Qt::Key_C);
        QVERIFY(!f.edit("singleEdit")->text().isEmpty() || f.edit("combineEdit")->text().size() > 0);
        saveScreenshot(*f.dialog, "key_assignment_single_combine_" + suffix);
        f.click(CKeyMap::PageMacro);
        f.macroList()->setCurrentRow(1);
        saveScreenshot(*f.dialog, "key_assignment_macro_" + suffix);
        f.click(CKeyMap::PageBasic);
        const auto media = f.tree()->findItems(language == Language::Chinese ? QStringLiteral("多媒体") : QStringLiteral("Media"),
                                               Qt::MatchExactly);
        media.first()->setExpanded(true);
        f.tree()->setCurrentItem(media.first()->child(1));
        f.tree()->setFocus();
        saveScreenshot(*f.dialog, "key_assignment_basic_" + suffix);
        f.click(CKeyMap::PageAdvance);
        f.services.fileAnswer = std::filesystem::path("/home/player/Music/theme.mp3");
        f.click(CKeyMap::browseRect(0).center());
        f.click(CKeyMap::DisableBox);
        QTest::mouseMove(f.dialog.get(), CKeyMap::buttonRect(CKeyMap::Save).center());
        saveScreenshot(*f.dialog, "key_assignment_advance_" + suffix);
    }
};

QTEST_MAIN(KeyMapTest)
#include "tst_key_map.moc"
