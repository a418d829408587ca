// The macro manager's editing and options driven like a user: the event list's menu and delay
// editor, the loop field, names, New and Delete, hover, Enter and Escape, and screenshots.
#include "DialogTestSupport.h"
#include "MacroFixture.h"



using namespace quenlar;
using namespace quenlar::dialogs;
using namespace quenlar::testing;
using namespace std::chrono_literals;

class MacroManagerTest : public QObject {
    Q_OBJECT
private slots:
    void eventMenuTexts_data() {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("English") << Language::English
                                 << QStringList{"Insert Before", "Insert After", "Insert Mouse Key", "  Left", "    Down",
                                                "    Up", "    Click", "  Right", "    Down", "    Up", "    Click",
                                                "  Middle", "    Down", "    Up", "    Click", "Insert Delay", "Delete"};
        QTest::newRow("Chinese") << Language::Chinese
                                 << QStringList{"在之前开始录入", "在之后开始录入", "插入鼠标按键", "  左键", "    压下",
                                                "    释放", "    单击", "  右键", "    压下", "    释放", "    单击",
                                                "  中健", "    压下", "    释放", "    单击", "插入延迟", "删除"};
    }
    void eventMenuTexts() {
        QFETCH(Language, language);
        QFETCH(QStringList, texts);
        MacroFixture f(1, language);
        f.open();
        QStringList shown;
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, [&shown, timer] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                timer->stop();
                shown = menuTexts(*menu);
                menu->close();
            }
        });
        timer->start(20);
        QTest::mouseClick(f.list("eventList")->viewport(), Qt::RightButton, {}, QPoint(30, 100));
        QCOMPARE(shown, texts);
    }
    void mouseClickIsInsertedAfterTheSelectedEvent() {
        MacroFixture f;
        f.open();
        f.recordAB();
        f.list("eventList")->setCurrentRow(1); // A up
        f.menuCommand(kLeftClick);
        QCOMPARE(f.lines(), (QStringList{"A  dn", "A  up", "MsLB dn", "MsLB up", "B  dn", "B  up"}));
        QCOMPARE(MacroFixture::head(f.record(0).hostEvents, 13),
                 (Bytes{0x01, 0x41, 0x81, 0x41, 0x01, 0xF0, 0x81, 0xF0, 0x01, 0x42, 0x81, 0x42, 0x00}));
        QCOMPARE(MacroFixture::head(f.record(0).deviceEvents, 9),
                 (Bytes{0x01, 0x04, 0x81, 0x04, 0x01, 0xF0, 0x81, 0xF0, 0x01}));
    }
    void delayLineEditedInPlace() {
        MacroFixture f;
        f.open();
        f.click(CMacroRecordDlg::DelayBox);
        f.click(CMacroRecordDlg::Record);
        f.type(Qt::Key_A, 250ms);
        f.click(CMacroRecordDlg::Record);
        QCOMPARE(f.lines(), (QStringList{"A  dn", "250 ms", "A  up"}));
        auto *events = f.list("eventList");
        events->setCurrentRow(1);
        QTest::mouseDClick(events->viewport(), Qt::LeftButton, {}, events->itemRectAt(1).center());
        QVERIFY(events->editor());
        QCOMPARE(events->editor()->text(), QStringLiteral("250"));
        events->editor()->selectAll();
        QTest::keyClicks(events->editor(), QStringLiteral("75000"));
        QTest::keyClick(events->editor(), Qt::Key_Return);
        QTRY_COMPARE(f.lines(), (QStringList{"A  dn", "60000 ms", "A  up"}));
        QCOMPARE(MacroFixture::head(f.record(0).hostEvents, 6), (Bytes{0x01, 0x41, 0xFF, 0x41, 0xEA, 0x60}));
    }
    void insertDelayOnADelayLineAsksToEditIt_data() {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::newRow("English") << Language::English << "Please edit current delay\n" << "Macro Manager";
        QTest::newRow("Chinese") << Language::Chinese << "请编辑当前延时\n" << "宏管理";
    }
    void insertDelayOnADelayLineAsksToEditIt() {
        QFETCH(Language, language);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        MacroFixture f(1, language);
        f.open();
        f.click(CMacroRecordDlg::DelayBox);
        f.click(CMacroRecordDlg::Record);
        f.type(Qt::Key_A, 300ms);
        f.click(CMacroRecordDlg::Record);
        f.list("eventList")->setCurrentRow(1);
        f.menuCommand(kInsertDelay);
        QCOMPARE(f.services.notices.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(f.services.notices[0].text), text);
        QCOMPARE(QString::fromStdString(f.services.notices[0].caption), caption);
        // On the key line above it: the next event gets 50 ms.
        f.list("eventList")->setCurrentRow(0);
        f.menuCommand(kInsertDelay);
        QCOMPARE(f.lines(), (QStringList{"A  dn", "50 ms", "A  up"}));
    }
    void loopFieldFollowsTheOption() {
        MacroFixture f;
        f.open();
        QVERIFY(!f.loopField()->isEnabled());
        f.click(CMacroRecordDlg::LoopBox);
        QVERIFY(f.loopField()->isEnabled());
        f.loopField()->setFocus();
        f.loopField()->selectAll();
        QTest::keyClicks(f.loopField(), QStringLiteral("12"));
        QCOMPARE(f.record(0).loopCount, uint16_t{12});
        QTest::keyClicks(f.loopField(), QStringLiteral("34")); // three digits at most
        QCOMPARE(f.loopField()->text(), QStringLiteral("123"));
        f.click(CMacroRecordDlg::LoopBox);
        QCOMPARE(f.loopField()->text(), QStringLiteral("1"));
        QVERIFY(!f.loopField()->isEnabled());
        QCOMPARE(f.record(0).loopCount, uint16_t{1});
    }
    void storedLoopCountZero() {
        MacroFixture f(2);
        f.master[0].loopCount = 0;
        f.master[1].loopCount = 0;
        f.open();
        QCOMPARE(f.loopField()->text(), QStringLiteral("0"));
        f.list("macroList")->setCurrentRow(1);
        QCOMPARE(f.loopField()->text(), QStringLiteral("1"));
        QCOMPARE(f.dialog->hotSpotState(CMacroRecordDlg::LoopBox), 0);
    }
    void enterAndEscapeDoNotClose() {
        MacroFixture f;
        f.open();
        QTest::keyClick(f.dialog.get(), Qt::Key_Escape);
        QTest::keyClick(f.dialog.get(), Qt::Key_Return);
        QVERIFY(f.dialog->isVisible());
    }
    void hoverMovesBetweenButtons() {
        MacroFixture f;
        f.open();
        auto moveTo = [&](const QPoint &p) {
            QMouseEvent move(QEvent::MouseMove, QPointF(p), f.dialog->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QApplication::sendEvent(f.dialog.get(), &move);
        };
        moveTo(CMacroRecordDlg::hotSpotRect(CMacroRecordDlg::New).center());
        QCOMPARE(f.dialog->hotSpotState(CMacroRecordDlg::New), 1);
        moveTo(CMacroRecordDlg::hotSpotRect(CMacroRecordDlg::Delete).center());
        QCOMPARE(f.dialog->hotSpotState(CMacroRecordDlg::New), 0);
        QCOMPARE(f.dialog->hotSpotState(CMacroRecordDlg::Delete), 1);
        moveTo(QPoint(200, 20));
        for (auto spot : {CMacroRecordDlg::Record, CMacroRecordDlg::New, CMacroRecordDlg::Delete, CMacroRecordDlg::Ok,
                          CMacroRecordDlg::Cancel})
            QCOMPARE(f.dialog->hotSpotState(spot), 0);
    }
    void renameReachesTheTableWithinTheTimer() {
        MacroFixture f(2);
        f.open();
        auto *names = f.list("macroList");
        names->setCurrentRow(1);
        QTest::mouseDClick(names->viewport(), Qt::LeftButton, {}, names->itemRectAt(1).center());
        QVERIFY(names->editor());
        names->editor()->selectAll();
        QTest::keyClicks(names->editor(), QStringLiteral("Jump"));
        QTest::keyClick(names->editor(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(f.record(1).nameView() == u"Jump", 1000);
        // An empty name is refused: the message, and the old name again.
        names->setCurrentRow(0);
        QTest::mouseDClick(names->viewport(), Qt::LeftButton, {}, names->itemRectAt(0).center());
        names->editor()->selectAll();
        QTest::keyClick(names->editor(), Qt::Key_Delete);
        QTest::keyClick(names->editor(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(f.services.notices.size(), std::size_t{1}, 1000);
        QCOMPARE(f.services.notices[0].text, std::string("A macro name must have 1 to 254 characters.\n"));
        QCOMPARE(names->item(0)->text(), QStringLiteral("Macro_001"));
        QVERIFY(f.record(0).nameView() == u"Macro_001");
    }
    void newAndDelete() {
        MacroFixture f(0);
        f.open();
        f.click(CMacroRecordDlg::New);
        f.click(CMacroRecordDlg::New);
        QCOMPARE(f.list("macroList")->count(), 2);
        QCOMPARE(f.list("macroList")->currentRow(), 1);
        f.list("macroList")->setCurrentRow(0);
        f.click(CMacroRecordDlg::Delete);
        QCOMPARE(f.services.questions.size(), std::size_t{1});
        QCOMPARE(f.list("macroList")->count(), 1);
        QCOMPARE(f.list("macroList")->item(0)->text(), QStringLiteral("Macro_002"));
        f.click(CMacroRecordDlg::New);
        QCOMPARE(f.list("macroList")->item(1)->text(), QStringLiteral("Macro_001"));
    }
    void screenshots_data() {
        QTest::addColumn<Language>("language");
        QTest::newRow("english") << Language::English;
        QTest::newRow("chinese") << Language::Chinese;
    }
    void screenshots() {
        QFETCH(Language, language);
        const QString suffix = language == Language::Chinese ? QStringLiteral("chinese") : QStringLiteral("english");
        MacroFixture f(3, language);
        f.open();
        f.click(CMacroRecordDlg::DelayBox);
        f.click(CMacroRecordDlg::LoopBox);
        f.loopField()->setText(QStringLiteral("3"));
        f.click(CMacroRecordDlg::Record);
        f.press(Qt::Key_Control);
        f.now += 40ms;
        f.press(Qt::Key_C);
        f.now += 120ms;
        f.release(Qt::Key_C);
        f.now += 35ms;
        f.release(Qt::Key_Control);
        f.now += 500ms;
        f.type(Qt::Key_V, 90ms);
        saveScreenshot(*f.dialog, "macro_manager_recording_" + suffix);
        f.click(CMacroRecordDlg::Record);
        f.list("eventList")->setCurrentRow(2);
        QMouseEvent move(QEvent::MouseMove, QPointF(300, 410), f.dialog->mapToGlobal(QPoint(300, 410)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(f.dialog.get(), &move);
        saveScreenshot(*f.dialog, "macro_manager_" + suffix);
    }
};

QTEST_MAIN(MacroManagerTest)
#include "tst_macro_manager.moc"
