// The key assignment dialog's Basic, Macro and Advance pages driven like a user: the tree, the
// macro list, the choosers and their messages; the requests applied, checked in keymap.bin and the
// virtual keyboard; and an Open Folder key pressed on the keyboard opening its folder.
#include "DialogTestSupport.h"
#include "KeyMapFixture.h"

#include "dialogs/CKeyMap.h"
#include "dialogs/SkinnedDialogs.h"
#include "keymap/HostAction.h"
#include "keymap/RecordingShell.h"
#include "macro/MacroLibrary.h"

using namespace quenlar;
using namespace quenlar::dialogs;
using namespace quenlar::testing;

class KeyMapPagesTest : public QObject {
    Q_OBJECT
private slots:
    void basicPageWantsAFunctionNotAGroup_data() {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("function");
        QTest::newRow("English") << Language::English << "Media" << "Please select Sub item" << "Mute";
        QTest::newRow("Chinese") << Language::Chinese << "多媒体" << "请选择子项" << "静音";
    }
    void basicPageWantsAFunctionNotAGroup() {
        QFETCH(Language, language);
        QFETCH(QString, group);
        QFETCH(QString, message);
        QFETCH(QString, function);
        KeyMapFixture f(language);
        f.open(kF1Key);
        f.click(CKeyMap::PageBasic);
        QVERIFY(f.tree()->isVisible());
        QCOMPARE(f.tree()->currentItem()->text(0), language == Language::Chinese ? QStringLiteral("搜索") : QStringLiteral("Search"));
        const auto groups = f.tree()->findItems(group, Qt::MatchExactly);
        QCOMPARE(groups.size(), 1);
        f.tree()->setCurrentItem(groups.first());
        f.click(CKeyMap::Save);
        QVERIFY(f.dialog->isVisible());
        QCOMPARE(f.services.notices.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(f.services.notices[0].text), message);
        QCOMPARE(f.services.notices[0].caption, std::string("tst_key_map_pages"));

        const auto items = f.tree()->findItems(function, Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(items.size(), 1);
        f.tree()->setCurrentItem(items.first());
        f.click(CKeyMap::Save);
        QVERIFY(f.closedWithOk());
        QCOMPARE(f.request().category, AssignmentCategory::Basic);
        f.applyRequest(kF1Key);
        QCOMPARE(f.readKeymapFile().first.keyAction(keyAt(kF1Key).matrixSlot()), (KeyAction{3, 0, 0xE2, 0}));
    }
    void aBasicRecordOpensOnItsFunction() {
        KeyMapFixture f(Language::Chinese);
        HostKeyRecord &record = f.records.working[kF1Key];
        record.category = 3;
        record.keyData[0] = 0; // Task Management: 0, E0, E2, 4C
        record.keyData[1] = 0xE0;
        record.keyData[2] = 0xE2;
        record.keyData[3] = 0x4C;
        f.open(kF1Key);
        QCOMPARE(f.dialog->state().page(), AssignmentPage::Basic);
        QCOMPARE(f.tree()->currentItem()->text(0), QStringLiteral("任务管理器"));
        QVERIFY(f.tree()->currentItem()->parent()->isExpanded());
    }
    void advanceStartupStoresTheProgram() {
        KeyMapFixture f;
        f.open(kF1Key);
        f.click(CKeyMap::PageAdvance);
        f.services.fileAnswer = std::filesystem::path("/home/player/Games/Run.exe");
        f.click(CKeyMap::browseRect(1).center());
        QCOMPARE(f.services.choosers, std::vector<std::string>{"exe Files(*.exe)|*.exe|exe"});
        QCOMPARE(f.dialog->state().selectedRow(), 1);
        QCOMPARE(shortPathForField(f.request().actionPath), std::u16string(u"../Run.exe"));
        saveScreenshot(*f.dialog, QStringLiteral("key_assignment_advance_chosen_english"));
        f.click(CKeyMap::Save);
        QVERIFY(f.closedWithOk());
        QCOMPARE(f.request().category, AssignmentCategory::Startup);
        f.applyRequest(kF1Key);
        const auto [state, records] = f.readKeymapFile();
        QCOMPARE(records[kF1Key].category, uint8_t{5});
        QCOMPARE(records[kF1Key].actionPathText(), std::u16string(u"/home/player/Games/Run.exe"));
        QCOMPARE(state.keyAction(keyAt(kF1Key).matrixSlot()), (KeyAction{10, 0, 0x70, 0}));
    }
    void pathFieldShortForm_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        QTest::newRow("short stays") << "/tmp/a.mp3" << "/tmp/a.mp3";
        QTest::newRow("exactly 13") << "/abc/defg.txt" << "/abc/defg.txt";
        QTest::newRow("long") << "/home/u/Music/song.mp3" << "../song.mp3";
        QTest::newRow("ending in a separator") << "/home/user/Music/" << "../Music/";
        QTest::newRow("no separator") << "averyveryverylongname" << "averyveryverylongname";
    }
    void pathFieldShortForm() {
        QFETCH(QString, path);
        QFETCH(QString, shown);
        QCOMPARE(QString::fromStdU16String(shortPathForField(path.toStdU16String())), shown);
    }
    void advanceSaveWithoutARowRestoresTheKey() {
        KeyMapFixture f;
        f.records.working[kF1Key].category = 6; // an earlier Open File
        f.records.working[kF1Key].setActionPath(u"/tmp/notes.txt");
        f.open(kF1Key);
        QCOMPARE(f.dialog->state().selectedRow(), 2);
        f.click(CKeyMap::PageSingle);
        f.click(CKeyMap::PageAdvance);
        f.click(CKeyMap::Save);
        QVERIFY(f.closedWithOk());
        QCOMPARE(f.request().category, AssignmentCategory::RestoreKey);
    }
    void folderChooserRefusesNothingAndTooLong_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QString() << "Please select a folder\n";
        QTest::newRow("too long") << QString(300, QLatin1Char('d')).prepend("/")
                                  << "The path is too long: it can have at most 255 characters.\n";
    }
    void folderChooserRefusesNothingAndTooLong() {
        QFETCH(QString, answer);
        QFETCH(QString, message);
        KeyMapFixture f;
        f.open(kF1Key);
        f.click(CKeyMap::PageAdvance);
        f.services.folderAnswer = std::filesystem::path(answer.toStdString());
        f.click(CKeyMap::browseRect(3).center());
        QCOMPARE(f.services.choosers, std::vector<std::string>{"folder|modification path"});
        QCOMPARE(f.services.notices.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(f.services.notices[0].text), message);
        QCOMPARE(f.dialog->state().selectedRow(), kNoRow);
        QCOMPARE(f.dialog->state().litRow(), 3);
        QVERIFY(f.request().actionPath.empty());
    }
    void macroRecordOpensOnItsMacroAndBindsIt() {
        KeyMapFixture f;
        appendNewMacro(f.macros);
        appendNewMacro(f.macros);
        HostKeyRecord &record = f.records.working[kF1Key];
        record.category = 2;
        record.keyData[0] = 4;
        record.keyData[1] = 1;
        record.keyData[2] = 1;
        f.open(kF1Key);
        QCOMPARE(f.dialog->state().page(), AssignmentPage::Macro);
        QVERIFY(f.macroList()->isVisible());
        QCOMPARE(f.macroList()->count(), 2);
        QCOMPARE(f.macroList()->currentItem()->text(), QStringLiteral("Macro_002"));
        f.click(CKeyMap::Save);
        QVERIFY(f.closedWithOk());
        QCOMPARE(f.request().category, AssignmentCategory::Macro);
        QCOMPARE(f.request().macroIndex, 1);
        f.applyRequest(kF1Key);
        QCOMPARE(f.readKeymapFile().first.keyAction(keyAt(kF1Key).matrixSlot()), (KeyAction{4, 1, 1, 0}));
        QVERIFY(f.writeToKeyboard());
        QCOMPARE(f.keyboardAction(kF1Key), (KeyAction{4, 1, 1, 0}));
    }
    void macroPageWithoutASelectionRestoresTheKeyEnabled() {
        KeyMapFixture f;
        appendNewMacro(f.macros);
        f.open(kF1Key);
        f.click(CKeyMap::PageMacro);
        f.click(CKeyMap::DisableBox);
        f.click(CKeyMap::Save);
        QVERIFY(f.closedWithOk());
        QCOMPARE(f.request().category, AssignmentCategory::RestoreKey);
        QVERIFY(f.request().keyEnabled);
    }
    // Assign Open Folder, apply, Save to the keyboard, press the key on the keyboard: the desktop
    // is asked to open the folder.
    void openFolderKeyOpensTheFolderWhenPressed() {
        KeyMapFixture f;
        const std::string folder = (f.dataFolder() / "Shared Music").string();
        f.services.folderAnswer = std::filesystem::path(folder);
        QWidget mainWindow;
        mainWindow.show();
        whenModalOpens(QStringLiteral("CKeyMap"), [&](QWidget &dialog) {
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, CKeyMap::buttonRect(CKeyMap::PageAdvance).center());
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, CKeyMap::browseRect(3).center());
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, CKeyMap::buttonRect(CKeyMap::Save).center());
        });
        SkinnedDialogs dialogs(f.services);
        DialogContext context{Language::English, programFolder().toStdString(), f.dataFolder(), f.images, f.records,
                              f.macros, f.names};
        const std::optional<AssignmentRequest> request = dialogs.runKeyAssignment(&mainWindow, context, kF1Key);
        QVERIFY(request.has_value());
        QCOMPARE(request->category, AssignmentCategory::OpenFolder);
        QVERIFY(f.apply(kF1Key, *request).ok());
        QVERIFY(f.writeToKeyboard());
        QVERIFY(f.keyboard.pressKey(kF1Key));
        const std::vector<uint8_t> codes = f.waitForHostCodes(1);
        QCOMPARE(codes, std::vector<uint8_t>{0x70});
        // The main window's handler: the records as saved in keymap.bin.
        RecordingShell shell;
        QCOMPARE(runHostAction(codes[0], f.readKeymapFile().second, shell), HostActionOutcome::Started);
        QCOMPARE(shell.calls.size(), std::size_t{1});
        QCOMPARE(shell.calls[0].what, std::string("folder"));
        QCOMPARE(shell.calls[0].path, folder);
    }
};

QTEST_MAIN(KeyMapPagesTest)
#include "tst_key_map_pages.moc"
