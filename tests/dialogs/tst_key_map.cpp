// The key assignment dialog driven like a user: keys from the keyboard, clicks on its pages and
// buttons, its messages; then the request applied as the main window applies it, checked in
// keymap.bin and, after Save, in the virtual keyboard.
#include "DialogTestSupport.h"
#include "KeyboardTestRig.h"

#include "controls/VividTree.h"
#include "dialogs/CKeyMap.h"
#include "dialogs/SkinnedDialogs.h"
#include "keymap/HostAction.h"
#include "keymap/RecordingShell.h"
#include "macro/MacroLibrary.h"
#include "platform/KeyCapture.h"

#include <QLineEdit>
#include <QListWidget>

using namespace quenlar;
using namespace quenlar::dialogs;
using namespace quenlar::testing;

namespace {

const int kEscKey = keyIndexOf(0x1B);
const int kF1Key = keyIndexOf(0x70);
const int kQKey = keyIndexOf('Q');

struct KeyMapFixture : KeyboardTestRig {
    ScriptedServices services;
    std::unique_ptr<CKeyMap> dialog;

    explicit KeyMapFixture(Language lang = Language::English) { language = lang; }

    void open(int key) {
        dialog = std::make_unique<CKeyMap>(programFolder(), language, names, services);
        dialog->prepare(key, records.working[key], images.working.enableBit(keyAt(key).enableBit), macros);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    QLineEdit *edit(const char *name) { return dialog->findChild<QLineEdit *>(QString::fromLatin1(name)); }
    controls::VividTree *tree() { return dialog->findChild<controls::VividTree *>(QStringLiteral("functionTree")); }
    QListWidget *macroList() { return dialog->findChild<QListWidget *>(QStringLiteral("macroList")); }
    void click(const QPoint &point) { QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, point); }
    void click(CKeyMap::Button button) { click(CKeyMap::buttonRect(button).center()); }
    void focusEdit(const char *name) { QTest::mouseClick(edit(name), Qt::LeftButton); }
    void type(Qt::Key key) {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : dialog.get();
        QTest::keyClick(target, key);
    }
    bool closedWithOk() const { return !dialog->isVisible() && dialog->result() == QDialog::Accepted; }
    bool closedWithCancel() const { return !dialog->isVisible() && dialog->result() == QDialog::Rejected; }
    AssignmentRequest request() const { return dialog->request(); }
    void applyRequest(int key) {
        const Result applied = apply(key, request());
        QVERIFY2(applied.ok(), applied.message().c_str());
    }
};

void giveCombine(HostKeyRecord &record, std::initializer_list<uint8_t> keys) {
    record.category = 1;
    record.keyData.fill(0);
    int i = 0;
    for (uint8_t k : keys)
        record.keyData[i++] = k;
    record.keyCount = static_cast<uint8_t>(keys.size());
}

} // namespace

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
        QCOMPARE(f.services.notices[0].caption, std::string("tst_key_map"));

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
