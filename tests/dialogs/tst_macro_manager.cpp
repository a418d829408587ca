// The macro manager driven like a user: recording real key events with a hand-driven clock, the
// event list's menu and delay editor, the options, names, and OK or Cancel, ending in checks of
// the working table and MacroDefine.bin.
#include "DialogTestSupport.h"

#include "dialogs/CMacroRecordDlg.h"
#include "dialogs/MacroEventMenu.h"
#include "dialogs/SkinnedDialogs.h"
#include "macro/MacroLibrary.h"
#include "macro/MacroLibraryFile.h"
#include "model/FileIo.h"

#include <QTemporaryDir>

using namespace quenlar;
using namespace quenlar::dialogs;
using namespace quenlar::testing;
using namespace std::chrono_literals;

namespace {

using Bytes = std::vector<uint8_t>;

struct MacroFixture {
    KeyNameTable names;
    ScriptedServices services;
    MacroTable master{};
    Language language;
    std::chrono::steady_clock::time_point now{std::chrono::seconds(1000)};
    std::unique_ptr<CMacroRecordDlg> dialog;

    explicit MacroFixture(int macros = 1, Language lang = Language::English) : language(lang) {
        for (int i = 0; i < macros; ++i)
            appendNewMacro(master);
    }
    void open() {
        dialog = std::make_unique<CMacroRecordDlg>(programFolder(), language, names, services, [this] { return now; });
        dialog->prepare(master);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    controls::CTransparentListBox *list(const char *name) {
        return dialog->findChild<controls::CTransparentListBox *>(QString::fromLatin1(name));
    }
    QLineEdit *loopField() { return dialog->findChild<QLineEdit *>(QStringLiteral("loopField")); }
    void click(CMacroRecordDlg::HotSpot spot) {
        QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, CMacroRecordDlg::hotSpotRect(spot).center());
    }
    void press(Qt::Key key, bool autoRepeat = false) { send(QEvent::KeyPress, key, autoRepeat); }
    void release(Qt::Key key) { send(QEvent::KeyRelease, key, false); }
    void send(QEvent::Type type, Qt::Key key, bool autoRepeat) {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : dialog.get();
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(target, &event);
    }
    void type(Qt::Key key, std::chrono::milliseconds held = 0ms) {
        press(key);
        now += held;
        release(key);
    }
    QStringList lines() {
        QStringList out;
        for (int i = 0; i < list("eventList")->count(); ++i)
            out << list("eventList")->item(i)->text();
        return out;
    }
    const MacroRecord &record(int i) const { return dialog->workingTable()[i]; }
    static Bytes head(const MacroStream &stream, std::size_t n) { return Bytes(stream.begin(), stream.begin() + n); }
    // Right-click on the event list and pick a command from its menu.
    void menuCommand(int command) {
        choosePopupCommand(command);
        QWidget *viewport = list("eventList")->viewport();
        QTest::mouseClick(viewport, Qt::RightButton, {}, QPoint(20, 5));
    }
    void recordAB() {
        click(CMacroRecordDlg::Record);
        type(Qt::Key_A);
        type(Qt::Key_B);
        click(CMacroRecordDlg::Record);
    }
};

} // namespace

class MacroManagerTest : public QObject {
    Q_OBJECT
private slots:
    void recordingWithoutDelays() {
        MacroFixture f;
        f.open();
        f.click(CMacroRecordDlg::Record);
        QVERIFY(f.dialog->session().recording());
        QVERIFY(f.dialog->keyCapture().installed());
        f.type(Qt::Key_A, 500ms);
        QCOMPARE(f.lines(), (QStringList{"A  dn", "A  up"}));
        QCOMPARE(MacroFixture::head(f.record(0).hostEvents, 5), (Bytes{0x01, 0x41, 0x81, 0x41, 0x00}));
        QCOMPARE(MacroFixture::head(f.record(0).deviceEvents, 5), (Bytes{0x01, 0x04, 0x81, 0x04, 0x00}));
        f.click(CMacroRecordDlg::Record);
        QVERIFY(!f.dialog->keyCapture().installed());
    }

    void recordingWithDelays() {
        MacroFixture f;
        f.open();
        f.click(CMacroRecordDlg::DelayBox);
        f.now += 5s; // the first event has no delay however long ago anything happened
        f.click(CMacroRecordDlg::Record);
        f.press(Qt::Key_A);
        f.now += 250ms;
        f.release(Qt::Key_A);
        f.now += 70s;
        f.press(Qt::Key_B);
        f.now += 1ms;
        f.release(Qt::Key_B);
        QCOMPARE(f.lines(), (QStringList{"A  dn", "250 ms", "A  up", "60000 ms", "B  dn", "B  up"}));
        QCOMPARE(MacroFixture::head(f.record(0).hostEvents, 13),
                 (Bytes{0x01, 0x41, 0xFF, 0x41, 0x00, 0xFA, 0x7F, 0x42, 0xEA, 0x60, 0x81, 0x42, 0x00}));
        QCOMPARE(f.record(0).delayFlag, uint8_t{1});
    }

    void aHeldKeyIsRecordedOnce() {
        MacroFixture f;
        f.open();
        f.click(CMacroRecordDlg::DelayBox);
        f.click(CMacroRecordDlg::Record);
        f.press(Qt::Key_S);
        for (int i = 0; i < 3; ++i) {
            f.now += 30ms;
            f.press(Qt::Key_S, true);
        }
        f.now += 10ms;
        f.release(Qt::Key_S);
        // The release's delay counts from the first press.
        QCOMPARE(f.lines(), (QStringList{"S  dn", "100 ms", "S  up"}));
    }

    void recordWithoutAMacroAsksForOne_data() {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::newRow("English") << Language::English << "Please select a Macro file to record \n" << "Macro Manager";
        QTest::newRow("Chinese") << Language::Chinese << "请选择一个宏指令文件录制\n" << "宏管理器";
    }
    void recordWithoutAMacroAsksForOne() {
        QFETCH(Language, language);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        MacroFixture f(0, language);
        f.open();
        QCOMPARE(f.list("macroList")->count(), 0);
        QCOMPARE(f.loopField()->text(), QString());
        QCOMPARE(f.dialog->hotSpotState(CMacroRecordDlg::DelayBox), 0);
        QCOMPARE(f.dialog->hotSpotState(CMacroRecordDlg::LoopBox), 0);
        f.click(CMacroRecordDlg::Record);
        QCOMPARE(f.services.notices.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(f.services.notices[0].text), text);
        QCOMPARE(QString::fromStdString(f.services.notices[0].caption), caption);
        QVERIFY(!f.dialog->session().recording());
    }

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

    void insertBeforeCapturesTheNextKey() {
        MacroFixture f;
        f.open();
        f.recordAB();
        f.list("eventList")->setCurrentRow(0);
        f.menuCommand(kInsertBefore);
        QVERIFY(f.dialog->session().capturePending());
        f.type(Qt::Key_C);
        QCOMPARE(f.lines(), (QStringList{"C  dn", "C  up", "A  dn", "A  up", "B  dn", "B  up"}));
        QVERIFY(!f.dialog->keyCapture().installed());
        // Typing now reaches nothing: the capture ended with the release.
        f.type(Qt::Key_D);
        QCOMPARE(f.lines().size(), 6);
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

    void recordLabelSurvivesARepaint() {
        MacroFixture f;
        f.open();
        const QRect button = CMacroRecordDlg::hotSpotRect(CMacroRecordDlg::Record);
        const QImage idle = f.dialog->composeImage().copy(button);
        f.click(CMacroRecordDlg::Record);
        f.dialog->repaint();
        const QImage recording = f.dialog->composeImage().copy(button);
        QVERIFY(idle != recording);
        // Starting an in-place rename stops recording, and the label goes back.
        auto *names = f.list("macroList");
        names->setCurrentRow(0);
        QTest::mouseDClick(names->viewport(), Qt::LeftButton, {}, names->itemRectAt(0).center());
        QVERIFY(!f.dialog->session().recording());
        QCOMPARE(f.dialog->composeImage().copy(button), idle);
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

    // Through the main window's door: OK hands the table back and the library is saved; Cancel
    // leaves the library and MacroDefine.bin as they were.
    void okSavesAndCancelKeepsTheLibrary_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void okSavesAndCancelKeepsTheLibrary() {
        QFETCH(bool, ok);
        QTemporaryDir dir;
        const std::filesystem::path file = std::filesystem::path(dir.path().toStdString()) / "MacroDefine.bin";
        MacroFixture f(1);
        QVERIFY(SaveMacroLibrary(file, f.master, Language::English).ok());
        const auto before = readWholeFile(file);
        whenModalOpens(QStringLiteral("CMacroRecordDlg"), [ok](QWidget &dialog) {
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, CMacroRecordDlg::hotSpotRect(CMacroRecordDlg::Record).center());
            QTest::keyClick(&dialog, Qt::Key_K);
            QTest::mouseClick(&dialog, Qt::LeftButton, {},
                              CMacroRecordDlg::hotSpotRect(ok ? CMacroRecordDlg::Ok : CMacroRecordDlg::Cancel).center());
        });
        SkinnedDialogs dialogs(f.services);
        KeyboardImages images;
        HostKeyRecordImages records;
        DialogContext context{Language::English, programFolder().toStdString(), dir.path().toStdString(), images,
                              records, f.master, f.names};
        const bool accepted = dialogs.runMacroManager(nullptr, context);
        QCOMPARE(accepted, ok);
        // What the main window does after OK; Cancel leaves the file alone.
        if (accepted)
            QVERIFY(SaveMacroLibrary(file, context.macros, Language::English).ok());
        const auto after = readWholeFile(file);
        QVERIFY(after.has_value());
        if (ok) {
            MacroTable saved{};
            std::copy(after->begin(), after->end(), tableBytes(saved).begin());
            QCOMPARE(MacroFixture::head(saved[0].hostEvents, 5), (Bytes{0x01, 0x4B, 0x81, 0x4B, 0x00}));
        } else {
            QCOMPARE(*after, *before);
            QCOMPARE(f.master[0].hostEvents[0], uint8_t{0});
        }
        QVERIFY(!QApplication::activeModalWidget());
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
