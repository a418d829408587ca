// Recording in the macro manager: real key events timed by a hand-driven clock, held keys, the
// capture insertion, the record button's message and label, and OK or Cancel through the main
// window's door, ending in checks of MacroDefine.bin.
#include "DialogTestSupport.h"
#include "MacroFixture.h"

#include "dialogs/SkinnedDialogs.h"
#include "macro/MacroLibraryFile.h"
#include "model/FileIo.h"

#include <QTemporaryDir>

using namespace quenlar;
using namespace quenlar::dialogs;
using namespace quenlar::testing;
using namespace std::chrono_literals;

class MacroRecordingTest : public QObject {
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
};

QTEST_MAIN(MacroRecordingTest)
#include "tst_macro_recording.moc"
