// The window's commands and life on a virtual keyboard: apply, revert, factory reset, close and
// Exit, the profile refresh, the firmware question, unplugging and plugging the keyboard back,
// keys that run host actions, and a start without a keyboard.
#include "WindowFixture.h"

#include "app/HelpPanel.h"
#include "app/WindowCommands.h"
#include "model/FileIo.h"
#include "model/KeyTable.h"
#include "virtual/VirtualKeyboardMemory.h"

#include <QSignalSpy>
#include <QtTest>

#include <filesystem>

using namespace quenlar;
using namespace quenlar::testing;

namespace {
const QPoint kSave(950, 620), kCancel(890, 620), kReturn(828, 620), kProfile(50, 618), kClose(986, 12);
const QPoint kGameModeOn(39, 427);
constexpr int kKeyOne = 21;

void writeVersionFile(const WindowFixture &f, const char *text) {
    const std::string bytes(text);
    QVERIFY(writeFileAtomically(f.app->paths.versionFile(),
                                std::span(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size())));
}
} // namespace

class WindowCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void brightnessThenRevertSendsNothing();
    void applySendsTheChangeAndCommits();
    void applyNotAcknowledgedCommitsNothing();
    void factoryResetCancelChangesNothing();
    void factoryResetRestoresTheKeyboard();
    void closeWritesTheSyncedState();
    void exitLeavesKeymapAlone();
    void profileRefreshKeepsTheKeyboardsReportRate();
    void firmwareQuestion_data();
    void firmwareQuestion();
    void helpUpdaterLine_data();
    void helpUpdaterLine();
    void unplugAndPlugBack();
    void hostKeyRunsItsAction();
    void startWithoutKeyboard();
    void closingDuringTheReadDoesNotHang();
};

void WindowCommandsTest::brightnessThenRevertSendsNothing() {
    WindowFixture f;
    f.start();
    const uint8_t brightness = f.working().lightBrightness;
    QTest::mouseClick(&f.window->brightnessSlider(), Qt::LeftButton, {}, QPoint(20, 8));
    QTRY_VERIFY(f.working().lightBrightness != brightness);
    f.click(kCancel);
    QCOMPARE(f.working().lightBrightness, brightness);
    QCOMPARE(f.window->brightnessSlider().value(), int(brightness));
    f.window->grab();  // the repaint must not store the old slider position back
    QCOMPARE(f.working().lightBrightness, brightness);
    QCOMPARE(f.keymapState(), f.app->images.synced);
    const std::size_t sent = f.sentReports().size();
    std::filesystem::remove(f.app->paths.keymapFile());
    f.click(kSave);
    QCOMPARE(f.sentReports().size(), sent);
    QVERIFY(f.prompts.notices.empty());
    QCOMPARE(f.keymapState(), f.working());  // apply with nothing to send still saves keymap.bin
}

void WindowCommandsTest::applySendsTheChangeAndCommits() {
    WindowFixture f;
    f.start();
    f.click(kGameModeOn);
    const std::size_t sent = f.sentReports().size();
    f.click(kSave);
    QVERIFY(f.prompts.notices.empty());
    QVERIFY(f.sentReports().size() > sent);
    QCOMPARE(f.keyboard.memory().gameMode, uint8_t(1));
    QCOMPARE(f.app->images.synced, f.working());
    QCOMPARE(f.keymapState(), f.working());
}

void WindowCommandsTest::applyNotAcknowledgedCommitsNothing() {
    WindowFixture f;
    f.start();
    VirtualKeyboardFaults faults;
    faults.dropAcknowledgements = true;
    f.keyboard.setFaults(faults);
    const KeyboardState synced = f.app->images.synced;
    f.click(kGameModeOn);
    f.click(kSave);
    QCOMPARE(f.prompts.notices.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(f.prompts.notices[0]).contains(QStringLiteral("did not acknowledge")));
    QCOMPARE(f.app->images.synced, synced);
    QCOMPARE(f.working().gameMode, uint8_t(1));
    QCOMPARE(f.keymapState().gameMode, uint8_t(1));  // the change is kept for the next try
    QCOMPARE(f.keyboard.memory().gameMode, uint8_t(0));
}

void WindowCommandsTest::factoryResetCancelChangesNothing() {
    WindowFixture f;
    f.start();
    f.click(kGameModeOn);
    const KeyboardState working = f.working();
    const auto keymap = f.keymapFile();
    const std::size_t sent = f.sentReports().size();
    f.prompts.answers = {false};
    f.click(kReturn);
    QCOMPARE(f.prompts.questions, std::vector<std::string>{"Confirm to return Factory Setting?"});
    QCOMPARE(f.working(), working);
    QVERIFY(!f.window->layout().folding.light && !f.window->layout().folding.game);
    QVERIFY(!f.window->layout().folding.response && !f.window->layout().folding.report);
    QCOMPARE(f.sentReports().size(), sent);
    QCOMPARE(f.keymapFile(), keymap);
}

void WindowCommandsTest::factoryResetRestoresTheKeyboard() {
    WindowFixture f;
    f.start();
    f.click(kGameModeOn);
    f.click(QPoint(100, 165));
    f.click(QPoint(100, 173 + 20 * 13 + 10));  // DIY1, painting view
    f.click(kSave);
    QCOMPARE(f.keyboard.memory().lightEffect, uint8_t(51));
    f.app->keyChanged[kKeyOne] = 1;
    f.app->records.working[kKeyOne].category = 6;
    f.prompts.answers = {true};
    f.click(kReturn);
    QVERIFY(f.prompts.notices.empty());
    const VirtualKeyboardMemory factory = factoryMemory();
    const VirtualKeyboardMemory memory = f.keyboard.memory();
    QCOMPARE(memory.gameMode, factory.gameMode);
    QCOMPARE(memory.lightEffect, factory.lightEffect);
    QCOMPARE(f.working().lightEffect, factory.lightEffect);
    QCOMPARE(f.working().gameMode, uint8_t(0));
    const PanelFolding &folding = f.window->layout().folding;
    QVERIFY(folding.light && folding.game && folding.response && folding.report);
    QVERIFY(!f.window->picture().paintMode);
    QCOMPARE(f.app->keyChanged[kKeyOne], uint8_t(0));
    QCOMPARE(f.app->records.working[kKeyOne].category, uint8_t(0));
    QCOMPARE(f.app->records.working[kKeyOne].virtualKey, keyAt(kKeyOne).virtualKey);
    QCOMPARE(f.app->images.synced, f.working());
    QCOMPARE(f.keymapState(), f.working());
    QCOMPARE(f.window->brightnessSlider().value(), int(factory.lightBrightness));
}

void WindowCommandsTest::closeWritesTheSyncedState() {
    WindowFixture f;
    f.start();
    QSignalSpy finished(f.window.get(), &MainWindow::finished);
    f.click(kGameModeOn);
    QCOMPARE(f.working().gameMode, uint8_t(1));
    f.click(kClose);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(f.keymapState().gameMode, uint8_t(0));
    QCOMPARE(f.keymapState(), f.app->images.synced);
    QVERIFY(!f.link->configOpen());
    QVERIFY(!f.link->listenerRunning());
}

void WindowCommandsTest::exitLeavesKeymapAlone() {
    WindowFixture f;
    f.start();
    f.click(kGameModeOn);
    f.working().lightBrightness = 3;
    const auto keymap = f.keymapFile();
    QSignalSpy finished(f.window.get(), &MainWindow::finished);
    f.window->exitCommand();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(f.keymapFile(), keymap);
}

void WindowCommandsTest::profileRefreshKeepsTheKeyboardsReportRate() {
    WindowFixture f;
    f.start();
    const uint8_t keyboardRate = f.keyboard.memory().reportRate;
    f.dialogs.profileManager = [](DialogContext &context) {
        context.images.working.reportRate = static_cast<uint8_t>(3 - context.images.working.reportRate);
        context.images.working.lightEffect = 5;
        context.images.working.lightBrightness = 7;
    };
    const int refreshes = f.window->refreshCount();
    const std::size_t questions = f.prompts.questions.size();
    f.click(kProfile);
    QCOMPARE(f.dialogs.profileCalls, 1);
    QCOMPARE(f.window->refreshCount(), refreshes + 1);
    QCOMPARE(f.working().reportRate, keyboardRate);
    QCOMPARE(f.working().lightEffect, uint8_t(5));
    QCOMPARE(f.window->brightnessSlider().value(), 7);
    QCOMPARE(f.keymapState(), f.working());
    QCOMPARE(f.prompts.questions.size(), questions);
}

void WindowCommandsTest::firmwareQuestion_data() {
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<QByteArray>("versionFile");
    QTest::addColumn<bool>("asked");
    QTest::newRow("keyboard 1.5, package 1.9: 1.x below 10 is never asked") << 1 << 5 << QByteArray("VER: 1.9\r\n..") << false;
    QTest::newRow("keyboard 2.3, package 3.0") << 2 << 3 << QByteArray("VER: 3.0\r\n..") << true;
    QTest::newRow("keyboard 2.3, package 2.3") << 2 << 3 << QByteArray("VER: 2.3\r\n..") << false;
    QTest::newRow("keyboard 2.3, package 2.4") << 2 << 3 << QByteArray("VER: 2.4\r\n..") << true;
    QTest::newRow("keyboard 2.3, no VER.bin") << 2 << 3 << QByteArray() << false;
}

void WindowCommandsTest::firmwareQuestion() {
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(QByteArray, versionFile);
    QFETCH(bool, asked);
    VirtualKeyboardMemory memory = factoryMemory();
    memory.version[0] = static_cast<uint8_t>(major);
    memory.version[1] = static_cast<uint8_t>(minor);
    WindowFixture f(Language::English, &memory);
    if (!versionFile.isEmpty())
        writeVersionFile(f, versionFile.constData());
    f.start();
    const std::vector<std::string> expected =
        asked ? std::vector<std::string>{"Update new firmware？"} : std::vector<std::string>{};
    QCOMPARE(f.prompts.questions, expected);
}

void WindowCommandsTest::helpUpdaterLine_data() {
    QTest::addColumn<int>("keyboardMajor");
    QTest::addColumn<int>("packagedMajor");
    QTest::addColumn<bool>("offered");
    QTest::newRow("keyboard never read") << 0 << 3 << false;
    QTest::newRow("package major 1") << 2 << 1 << false;
    QTest::newRow("keyboard 1, package 2") << 1 << 2 << true;
}

void WindowCommandsTest::helpUpdaterLine() {
    QFETCH(int, keyboardMajor);
    QFETCH(int, packagedMajor);
    QFETCH(bool, offered);
    QCOMPARE(HelpPanel::updaterOffered(static_cast<uint8_t>(keyboardMajor), static_cast<uint8_t>(packagedMajor)),
             offered);
    QCOMPARE(HelpPanel::lineAt(850, 22), HelpPanel::Line::HomePage);
    QCOMPARE(HelpPanel::lineAt(850, 47), HelpPanel::Line::UpdateFirmware);
    QCOMPARE(HelpPanel::lineAt(829, 50), HelpPanel::Line::Outside);
}

void WindowCommandsTest::unplugAndPlugBack() {
    WindowFixture f;
    f.start();
    f.keyboard.unplug();
    QTRY_VERIFY(!f.link->configOpen());
    QVERIFY(!f.link->listenerRunning());
    const VirtualKeyboardMemory before = f.keyboard.memory();
    f.click(kGameModeOn);
    f.click(kSave);
    QCOMPARE(f.prompts.notices.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(f.prompts.notices[0]).contains(QStringLiteral("No keyboard")));
    QCOMPARE(f.working().gameMode, uint8_t(1));
    QCOMPARE(f.keymapState().gameMode, uint8_t(1));
    QCOMPARE(f.app->images.synced.gameMode, uint8_t(0));
    const int refreshes = f.window->refreshCount();
    f.keyboard.plug();
    QTRY_COMPARE(f.window->refreshCount(), refreshes + 2);  // after the read, after the listener
    QVERIFY(f.link->configOpen() && f.link->eventOpen() && f.link->listenerRunning());
    QCOMPARE(f.keyboard.memory(), before);
    // The keyboard's values came back into the window, and the link works again.
    QCOMPARE(f.working().gameMode, before.gameMode);
    f.click(kGameModeOn);
    f.click(kSave);
    QCOMPARE(f.prompts.notices.size(), std::size_t(1));
    QCOMPARE(f.keyboard.memory().gameMode, uint8_t(1));
}

void WindowCommandsTest::hostKeyRunsItsAction() {
    WindowFixture f;
    f.start();
    const KeyTableEntry &key = keyAt(kKeyOne);
    f.working().setKeyAction(key.matrixSlot(), KeyAction{10, 0, key.virtualKey, 0});
    HostKeyRecord &record = f.app->records.working[kKeyOne];
    record.category = 6;  // Open File
    record.setActionPath(u"/home/user/notes.txt");
    f.click(kSave);
    QVERIFY(f.prompts.notices.empty());
    QVERIFY(f.keyboard.pressKey(kKeyOne));
    QTRY_COMPARE(f.shell.opened.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(f.shell.opened[0]).contains(QStringLiteral("notes.txt")));
    QVERIFY(!f.keyboard.pressKey(kKeyOne + 1));  // an ordinary key asks nothing of the computer
}

void WindowCommandsTest::startWithoutKeyboard() {
    WindowFixture f;
    f.keyboard.unplug();
    f.window->initialise();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QVERIFY(f.window->isVisible());  // no tray here: the window is never hidden
    QVERIFY(!f.window->readAllFinished());
    QVERIFY(f.sentReports().empty());
    f.click(kCancel);  // revert
    f.click(QPoint(965, 12));  // minimise
    QVERIFY(f.window->isVisible());
    f.prompts.answers = {true};
    f.click(kReturn);  // factory reset without a keyboard says so
    QCOMPARE(f.prompts.notices.size(), std::size_t(1));
    QVERIFY(f.sentReports().empty());
}

void WindowCommandsTest::closingDuringTheReadDoesNotHang() {
    WindowFixture f;
    f.window->initialise();
    f.window.reset();  // the read-all worker may be waiting for the window right now
    QVERIFY(!f.link->configOpen());
}

QTEST_MAIN(WindowCommandsTest)
#include "tst_window_commands.moc"
