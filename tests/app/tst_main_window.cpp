// The main window driven with the mouse on a virtual keyboard: regions and the hit test, the
// drop-down lists and the help panel taking clicks, the keyboard picture in both views, the
// lighting panel's rules and the options panel's blocks.
#include "WindowFixture.h"

#include "app/MainLayout.h"
#include "model/FileIo.h"
#include "model/KeyTable.h"
#include "virtual/VirtualKeyboardMemory.h"

#include <QtTest>

using namespace quenlar;
using namespace quenlar::testing;

namespace {
constexpr int kKeyOne = 21;  // the "1" key
QPoint effectRow(int row) { return QPoint(100, 173 + 20 * row + 10); }
const QPoint kEffectSelector(100, 165);

void chooseEffect(WindowFixture &f, int row) {
    f.click(kEffectSelector);
    QVERIFY(f.window->lighting().effectListOpen);
    f.click(effectRow(row));
    QVERIFY(!f.window->lighting().effectListOpen);
}
} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startShowsTheKeyboardsConfiguration();
    void hitTest_data();
    void hitTest();
    void foldedLightSectionMovesTheButtonsUp();
    void openListsAndHelpPanelTakeTheClick_data();
    void openListsAndHelpPanelTakeTheClick();
    void hoverRepaintsOnlyWhenTheKeyChanges();
    void paintingViewTogglesCellsAndApplySendsTheLayer();
    void windowsKeyIsNotSelectableInTheAssignmentView();
    void windowsKeyNeverShowsLit();
    void assignmentSequenceAroundTheDialog();
    void effectColourRules_data();
    void effectColourRules();
    void directionButtons_data();
    void directionButtons();
    void clickOutsideTheEffectListChoosesNothing_data();
    void clickOutsideTheEffectListChoosesNothing();
    void winLockOnlyWithGameMode();
    void responseTimeList();
    void foldingMovesTheOptionBlocks();
    void slidersStoreTheirPositions();
};

void MainWindowTest::startShowsTheKeyboardsConfiguration() {
    const VirtualKeyboardMemory factory = factoryMemory();
    WindowFixture f;
    f.start();
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Pellidor UK"));
    QCOMPARE(f.window->size(), QSize(1000, 644));
    // The read replaced what keymap.bin held and was committed.
    QCOMPARE(f.working().lightEffect, factory.lightEffect);
    QCOMPARE(f.working().lightBrightness, factory.lightBrightness);
    QCOMPARE(f.working().keyMatrix, factory.keyMatrix);
    QCOMPARE(f.app->images.synced, f.working());
    QCOMPARE(f.window->brightnessSlider().value(), int(factory.lightBrightness));
    QCOMPARE(f.window->speedSlider().value(), int(10 - factory.lightWireSpeed));
    // The refresh saved keymap.bin with what the keyboard holds.
    QCOMPARE(f.keymapState(), f.working());
    QVERIFY(!f.sentReports().empty());
}

void MainWindowTest::hitTest_data() {
    QTest::addColumn<bool>("lightFolded");
    QTest::addColumn<int>("effect");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("expected");
    QTest::newRow("folded: effect selector spot is the macro button") << true << 3 << QPoint(40, 160) << region::kMacroButton;
    QTest::newRow("folded: game-mode header") << true << 3 << QPoint(40, 205) << region::kGameHeader;
    QTest::newRow("built-in effect: first direction button") << false << 3 << QPoint(30, 205) << region::kDirection1;
    QTest::newRow("custom effect: Keymap switch") << false << 52 << QPoint(30, 205) << region::kKeymapSwitch;
    QTest::newRow("custom effect: DIY switch") << false << 52 << QPoint(135, 205) << region::kDiySwitch;
    QTest::newRow("help button edge") << false << 3 << QPoint(952, 20) << region::kHelp;
    QTest::newRow("logo strip is inert") << false << 3 << QPoint(100, 60) << region::kLogoStrip;
    QTest::newRow("colour cells are inert") << false << 3 << QPoint(30, 230) << region::kColourCell0;
    QTest::newRow("Win Lock on") << false << 3 << QPoint(170, 428) << region::kWinLockOn;
    QTest::newRow("empty spot") << false << 3 << QPoint(600, 20) << region::kNone;
}

void MainWindowTest::hitTest() {
    QFETCH(bool, lightFolded);
    QFETCH(int, effect);
    QFETCH(QPoint, at);
    QFETCH(int, expected);
    MainLayout layout;
    layout.folding.light = lightFolded;
    QCOMPARE(layout.hitTestRegion(at.x(), at.y(), static_cast<uint8_t>(effect)), expected);
}

void MainWindowTest::foldedLightSectionMovesTheButtonsUp() {
    WindowFixture f;
    f.start();
    f.click(QPoint(100, 115));  // Light header
    QVERIFY(f.window->layout().folding.light);
    f.window->grab();  // the sliders follow the sections at the next repaint
    QVERIFY(f.window->speedSlider().isHidden());
    QVERIFY(f.window->brightnessSlider().isHidden());
    const auto macroFile = readWholeFile(f.app->paths.macroLibraryFile());
    const auto keymap = f.keymapFile();
    f.click(QPoint(40, 160));  // where the effect selector was: the macro button
    QCOMPARE(f.dialogs.macroCalls, 1);
    QVERIFY(!f.window->lighting().effectListOpen);
    // The manager ended with Cancel: nothing saved.
    QCOMPARE(readWholeFile(f.app->paths.macroLibraryFile()), macroFile);
    QCOMPARE(f.keymapFile(), keymap);
    f.click(QPoint(40, 205));
    QVERIFY(f.window->layout().folding.game);
    f.click(QPoint(100, 115));
    QVERIFY(!f.window->layout().folding.light);
    f.window->grab();
    QVERIFY(f.window->brightnessSlider().isVisible());
}

void MainWindowTest::openListsAndHelpPanelTakeTheClick_data() {
    QTest::addColumn<QPoint>("opener");
    QTest::addColumn<QPoint>("target");
    QTest::newRow("effect list, click on a key") << kEffectSelector << WindowFixture::keyCentre(kKeyOne);
    QTest::newRow("effect list, click on Save") << kEffectSelector << QPoint(950, 620);
    QTest::newRow("response list, click on a key") << QPoint(100, 480) << WindowFixture::keyCentre(kKeyOne);
    QTest::newRow("help panel, click on Save") << QPoint(944, 12) << QPoint(950, 620);
    QTest::newRow("help panel, click on its version line") << QPoint(944, 12) << QPoint(900, 80);
    QTest::newRow("help panel, click on a key") << QPoint(944, 12) << WindowFixture::keyCentre(kKeyOne);
}

void MainWindowTest::openListsAndHelpPanelTakeTheClick() {
    QFETCH(QPoint, opener);
    QFETCH(QPoint, target);
    WindowFixture f;
    f.start();
    f.working().gameMode = 1;  // an unapplied change Save would send
    f.click(opener);
    QVERIFY(f.window->lighting().effectListOpen || f.window->options().responseListOpen || f.window->help().open);
    const auto before = f.working();
    const std::size_t sent = f.sentReports().size();
    f.click(target);
    QVERIFY(!f.window->lighting().effectListOpen);
    QVERIFY(!f.window->options().responseListOpen);
    QVERIFY(!f.window->help().open);
    QCOMPARE(f.dialogs.assignCalls, 0);
    QCOMPARE(f.sentReports().size(), sent);
    QCOMPARE(f.working(), before);
}

void MainWindowTest::hoverRepaintsOnlyWhenTheKeyChanges() {
    WindowFixture f;
    f.start();
    const KeyRect &r = keyAt(kKeyOne).rect;
    QVERIFY(f.window->picture().onPointerMoved(r.left + 278 + 2, r.top + 107 + 2));
    QVERIFY(!f.window->picture().onPointerMoved(r.right + 278 - 2, r.bottom + 107 - 2));
    QVERIFY(f.window->picture().onPointerMoved(600, 20));
    // The Enter key's lower piece is not sensitive.
    QCOMPARE(f.window->picture().hitTestKey(800, 350), KeyboardPicture::kNoKey);
    QCOMPARE(f.window->picture().hitTestKey(790, 310), uint8_t(KeyboardPicture::kEnterKey));
    // Buttons light while hovered, and only one at a time.
    f.move(QPoint(944, 12));
    QVERIFY(f.window->layout().hovered(region::kHelp));
    f.move(QPoint(965, 12));
    QVERIFY(f.window->layout().hovered(region::kMinimise));
    QVERIFY(!f.window->layout().hovered(region::kHelp));
    f.move(QPoint(600, 20));
    QVERIFY(!f.window->layout().hovered(region::kMinimise));
    QCOMPARE(f.window->layout().lastHoverRegion(), uint8_t(255));
}

void MainWindowTest::paintingViewTogglesCellsAndApplySendsTheLayer() {
    WindowFixture f;
    f.start();
    chooseEffect(f, 13);  // DIY1
    QCOMPARE(f.working().lightEffect, uint8_t(51));
    QVERIFY(f.window->picture().paintMode);
    f.window->grab();
    QVERIFY(f.window->speedSlider().isHidden());
    const int offset = keyAt(kKeyOne).ledOffset;
    auto cell = [&] {
        const auto layer = f.working().customLayer(0);
        return std::array<uint8_t, 4>{layer[offset], layer[offset + 1], layer[offset + 2], layer[offset + 3]};
    };
    QCOMPARE(cell(), (std::array<uint8_t, 4>{0, 0, 0, 0}));
    f.click(WindowFixture::keyCentre(kKeyOne));
    QCOMPARE(cell(), (std::array<uint8_t, 4>{0, 0xFF, 0, 0}));
    QCOMPARE(f.dialogs.assignCalls, 0);
    // A lit key is drawn in the layer's colour (blue).
    QCOMPARE(f.window->composeFrame().pixelColor(WindowFixture::keyCentre(kKeyOne) + QPoint(12, 10)), QColor(0, 0, 255));
    f.click(WindowFixture::keyCentre(kKeyOne));
    QCOMPARE(cell(), (std::array<uint8_t, 4>{0, 0, 0, 0}));
    // A red cell (no blue part) becomes lit; any cell with blue becomes dark.
    f.working().customLayer(0)[offset + 3] = 0x80;
    f.click(WindowFixture::keyCentre(kKeyOne));
    QCOMPARE(cell(), (std::array<uint8_t, 4>{0, 0xFF, 0, 0}));
    // "Keymap" switches back to the assignment view: a key click asks for an assignment.
    f.click(QPoint(35, 207));
    QVERIFY(!f.window->picture().paintMode);
    f.click(WindowFixture::keyCentre(kKeyOne));
    QCOMPARE(f.dialogs.assignCalls, 1);
    f.click(QPoint(950, 620));  // Save
    QVERIFY(f.prompts.notices.empty());
    // A painting view left over while the effect has no layer paints nothing.
    const auto layers = f.working().customLayers;
    f.window->picture().paintMode = true;
    f.working().lightEffect = 56;
    f.click(WindowFixture::keyCentre(kKeyOne));
    (void)f.window->composeFrame();
    QCOMPARE(f.working().customLayers, layers);
    f.working().lightEffect = 51;
    const auto memory = f.keyboard.memory();
    QCOMPARE(memory.lightEffect, uint8_t(51));
    QCOMPARE(memory.customLayers[offset + 1], uint8_t(0xFF));
    QCOMPARE(f.app->images.synced, f.working());
}

void MainWindowTest::windowsKeyIsNotSelectableInTheAssignmentView() {
    WindowFixture f;
    f.start();
    const QPoint win = WindowFixture::keyCentre(KeyboardPicture::kWindowsKey);
    f.move(win);
    QCOMPARE(f.window->picture().hoverKey, KeyboardPicture::kNoKey);
    f.click(win);
    f.click(WindowFixture::keyCentre(KeyboardPicture::kFnKey));
    QCOMPARE(f.dialogs.assignCalls, 0);
    chooseEffect(f, 14);  // DIY2: painting view
    f.move(win);
    QCOMPARE(f.window->picture().hoverKey, uint8_t(KeyboardPicture::kWindowsKey));
    f.click(win);
    QCOMPARE(f.working().customLayer(1)[keyAt(KeyboardPicture::kWindowsKey).ledOffset + 1], uint8_t(0xFF));
}

void MainWindowTest::windowsKeyNeverShowsLit() {
    WindowFixture f;
    f.start();
    const QImage unlit = f.window->composeFrame();
    f.app->keyChanged[KeyboardPicture::kWindowsKey] = 1;
    f.app->keyChanged[kKeyOne] = 1;
    const QImage marked = f.window->composeFrame();
    QCOMPARE(f.app->keyChanged[KeyboardPicture::kWindowsKey], uint8_t(0));
    const QPoint win = WindowFixture::keyCentre(KeyboardPicture::kWindowsKey);
    QCOMPARE(marked.pixel(win + QPoint(8, 8)), unlit.pixel(win + QPoint(8, 8)));
    const QPoint one = WindowFixture::keyCentre(kKeyOne);
    QVERIFY(marked.copy(QRect(one - QPoint(12, 12), QSize(24, 24))) != unlit.copy(QRect(one - QPoint(12, 12), QSize(24, 24))));
}

void MainWindowTest::assignmentSequenceAroundTheDialog() {
    WindowFixture f;
    f.start();
    const auto keymap = f.keymapFile();
    const auto before = f.working();
    // Cancel: nothing changes, nothing is written.
    f.click(WindowFixture::keyCentre(kKeyOne));
    QCOMPARE(f.dialogs.assignCalls, 1);
    QCOMPARE(f.dialogs.lastKey, kKeyOne);
    QCOMPARE(f.working(), before);
    QCOMPARE(f.keymapFile(), keymap);
    // OK with the key disabled: the key is marked, its enable bit cleared, keymap.bin saved.
    AssignmentRequest disable;
    disable.category = AssignmentCategory::None;
    disable.keyEnabled = false;
    f.dialogs.assignmentAnswer = disable;
    f.click(WindowFixture::keyCentre(kKeyOne));
    const int bit = keyAt(kKeyOne).enableBit;
    QVERIFY(!f.working().enableBit(bit));
    QCOMPARE(f.app->keyChanged[kKeyOne], uint8_t(1));
    QVERIFY(!f.keymapState().enableBit(bit));
    QVERIFY(f.keyboard.memory().keyEnableMask[bit / 8] & (1 << (bit % 8)));
    f.click(QPoint(950, 620));  // Save
    QVERIFY(!(f.keyboard.memory().keyEnableMask[bit / 8] & (1 << (bit % 8))));
}

void MainWindowTest::effectColourRules_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("colourBefore");
    QTest::addColumn<int>("colourAfter");
    QTest::newRow("Static turns colour 8 into 1") << 0 << 8 << 1;
    QTest::newRow("Static keeps colour 5") << 0 << 5 << 5;
    QTest::newRow("Wave always gives 8") << 2 << 3 << 8;
    QTest::newRow("Breathing leaves the colour") << 1 << 5 << 5;
    QTest::newRow("a reported 0 becomes 1 at the next repaint") << 1 << 0 << 1;
    QTest::newRow("a reported 9 becomes 8 at the next repaint") << 3 << 9 << 8;
}

void MainWindowTest::effectColourRules() {
    QFETCH(int, row);
    QFETCH(int, colourBefore);
    QFETCH(int, colourAfter);
    WindowFixture f;
    f.start();
    f.working().lightColour = static_cast<uint8_t>(colourBefore);
    chooseEffect(f, row);
    (void)f.window->composeFrame();
    QCOMPARE(int(f.working().lightColour), colourAfter);
}

void MainWindowTest::directionButtons_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("expected");
    QTest::newRow("Radar, first button: right") << 9 << 40 << 2;
    QTest::newRow("Radar, second button: left") << 9 << 90 << 1;
    QTest::newRow("Shade mold, second button: down") << 12 << 90 << 4;
    QTest::newRow("Wave, third button: right") << 2 << 140 << 2;
    QTest::newRow("Static, third button without a picture: right") << 0 << 140 << 2;
    QTest::newRow("Wave, fourth button: left") << 2 << 190 << 1;
}

void MainWindowTest::directionButtons() {
    QFETCH(int, row);
    QFETCH(int, x);
    QFETCH(int, expected);
    WindowFixture f;
    f.start();
    chooseEffect(f, row);
    f.working().lightDirection = 3;
    f.click(QPoint(x, 205));
    QCOMPARE(int(f.working().lightDirection), expected);
}

void MainWindowTest::clickOutsideTheEffectListChoosesNothing_data() {
    QTest::addColumn<QPoint>("at");
    QTest::newRow("just below the last row") << QPoint(100, 533);
    QTest::newRow("left of the list") << QPoint(27, 300);
}

void MainWindowTest::clickOutsideTheEffectListChoosesNothing() {
    QFETCH(QPoint, at);
    WindowFixture f;
    f.start();
    const uint8_t effect = f.working().lightEffect;
    f.click(kEffectSelector);
    QVERIFY(f.window->speedSlider().isHidden());
    f.click(at);
    QVERIFY(!f.window->lighting().effectListOpen);
    QCOMPARE(f.working().lightEffect, effect);
    QCOMPARE(f.dialogs.macroCalls, 0);
}

void MainWindowTest::winLockOnlyWithGameMode() {
    WindowFixture f;
    f.start();
    QCOMPARE(f.working().gameMode, uint8_t(0));
    const QPoint gameOn(39, 427), gameOff(100, 427), lockOn(169, 427), lockOff(230, 427);
    f.click(lockOn);
    QCOMPARE(f.working().winLock, uint8_t(0));
    f.click(gameOn);
    QCOMPARE(f.working().gameMode, uint8_t(1));
    QCOMPARE(f.working().winLock, uint8_t(1));
    f.click(lockOff);
    QCOMPARE(f.working().winLock, uint8_t(0));
    f.click(gameOn);  // already on: the lock stays off
    QCOMPARE(f.working().winLock, uint8_t(0));
    f.click(lockOn);
    QCOMPARE(f.working().winLock, uint8_t(1));
    f.click(gameOff);
    QCOMPARE(f.working().gameMode, uint8_t(0));
    QCOMPARE(f.working().winLock, uint8_t(0));
}

void MainWindowTest::responseTimeList() {
    WindowFixture f;
    f.start();
    const int top = f.window->layout().responseListTop();
    QCOMPARE(top, 272);
    f.click(QPoint(100, 480));  // selector at c + 248
    QVERIFY(f.window->options().responseListOpen);
    QCOMPARE(f.window->options().responseListRow, uint8_t(255));  // nothing hovered yet
    f.click(QPoint(100, top + 6 * 20 + 5));
    QCOMPARE(f.working().responseTime, uint8_t(7));
    f.click(QPoint(100, 480));
    f.click(QPoint(100, top + 200));  // the list's bottom edge
    QVERIFY(!f.window->options().responseListOpen);
    QCOMPARE(f.working().responseTime, uint8_t(7));
    // Folded Light section: the list moves up with its block.
    f.click(QPoint(100, 115));
    QCOMPARE(f.window->layout().responseListTop(), top - 195);
    f.click(QPoint(100, 480 - 195));
    QVERIFY(f.window->options().responseListOpen);
    f.click(QPoint(100, top - 195 + 9 * 20 + 5));
    QCOMPARE(f.working().responseTime, uint8_t(10));
}

void MainWindowTest::foldingMovesTheOptionBlocks() {
    WindowFixture f;
    f.start();
    auto &layout = f.window->layout();
    const int game = layout.rect(region::kGameHeader).top, report = layout.rect(region::kReportHeader).top;
    f.window->grab();
    const int sliderY = f.window->reportSlider().y();
    QCOMPARE(sliderY, report + 23);
    f.click(QPoint(100, 115));  // fold Light
    QCOMPARE(layout.rect(region::kGameHeader).top, game - 195);
    QCOMPARE(layout.rect(region::kReportHeader).top, report - 195);
    f.click(QPoint(100, 115));
    f.click(QPoint(100, layout.rect(region::kResponseHeader).top + 5));  // fold Response Time
    QVERIFY(layout.folding.response);
    QCOMPARE(layout.rect(region::kReportHeader).top, report - 35);
    f.window->grab();
    QCOMPARE(f.window->reportSlider().y(), sliderY - 35);
    // Folding the report section hides the slider and keeps reportRate.
    const uint8_t rate = f.working().reportRate;
    f.click(QPoint(100, layout.rect(region::kReportHeader).top + 5));
    f.window->grab();
    QVERIFY(f.window->reportSlider().isHidden());
    QCOMPARE(f.working().reportRate, rate);
}

void MainWindowTest::slidersStoreTheirPositions() {
    WindowFixture f;
    f.start();
    auto &brightness = f.window->brightnessSlider();
    QTest::mouseClick(&brightness, Qt::LeftButton, {}, QPoint(8, 8));  // the left end
    QTRY_COMPARE(f.working().lightBrightness, uint8_t(0));
    auto &report = f.window->reportSlider();
    QTest::mouseClick(&report, Qt::LeftButton, {}, QPoint(report.width() - 8, 8));
    QTRY_COMPARE(f.working().reportRate, uint8_t(3));
    // A report rate outside 0..3 shows at the nearest end and is stored back at the next repaint.
    f.working().reportRate = 7;
    f.window->refresh(messages::kRefreshAfterProfile);
    f.window->grab();
    QCOMPARE(f.working().reportRate, uint8_t(3));
}

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
