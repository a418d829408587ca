// The main window's life: initialisation, the read at start and the refresh after every read,
// the keyboard leaving and coming back, host-run keys, the tray icon and the teardown.
#include "app/MainWindow.h"

#include "app/Texts.h"
#include "app/TrayIcon.h"
#include "app/WindowCommands.h"
#include "controls/ProgramBitmaps.h"
#include "controls/SkinDrawing.h"
#include "keymap/HostAction.h"
#include "keymap/KeymapFile.h"
#include "macro/MacroLibraryFile.h"

#include <QCoreApplication>
#include <QIcon>
#include <QPixmap>

namespace quenlar {

void MainWindow::initialise() {
    setWindowTitle(QString::fromLatin1(kWindowTitle));
    setWindowIcon(QIcon(QPixmap::fromImage(controls::ProgramBitmaps::programIcon(64))));
    app_.packaged = readPackagedVersion(app_.paths.versionFile());
    const QSize skinSize = controls::LoadSkinImageSize(cache_, skinFolder(), QStringLiteral("main.png"));
    setFixedSize(skinSize.isEmpty() ? QSize(1000, 644) : skinSize);
    app_.keyChanged.fill(0);
    layout_.clearHover();
    picture_.hoverKey = picture_.lastHoverKey = KeyboardPicture::kNoKey;

    if (Result loaded = LoadMacroLibrary(app_.paths.macroLibraryFile(), app_.macros, app_.language); !loaded)
        services_.prompts.inform(loaded.message(), kWindowTitle);

    const bool connected = services_.link.open(hostActionHandler());

    tray_ = new TrayIcon(app_.language, this);
    connect(tray_, &TrayIcon::doubleClicked, this, &MainWindow::onTrayDoubleClicked);
    connect(tray_, &TrayIcon::exitChosen, this, &MainWindow::exitCommand);

    app_.records.working = HostKeyRecords{};
    if (Result loaded = loadKeymapFile(app_.paths.keymapFile(), KeymapLoadMode::Full, app_.images.working,
                                       app_.records.working, app_.language);
        !loaded)
        services_.prompts.inform(loaded.message(), kWindowTitle);
    app_.images.commit();
    app_.records.commit();
    // The sliders start where keymap.bin says, so that the first repaint does not store their
    // initial positions over the loaded values.
    setSlidersFromState();
    picture_.paintMode = false;

    // The keyboard's read runs only now that keymap.bin is in the working image.
    if (services_.link.configOpen()) {
        readAllStarted_ = true;
        services_.link.startReadAllWorker(app_.images.working, [this](ReadAllOutcome outcome) {
            // kRefreshMessage, sent and waited for.
            QMetaObject::invokeMethod(
                this, [this, &outcome] { onReadAllFinished(outcome); }, Qt::BlockingQueuedConnection);
            readAllFinished_ = true;
        });
    }
    show();
    if (!connected)
        showNoKeyboardBalloon(messages::kNoKeyboardBalloonWParam);
}

KeyEventListener::HostActionHandler MainWindow::hostActionHandler() {
    return [this](uint8_t code) {
        // kHostKeyMessage, queued to the window thread in the order the reports came.
        QMetaObject::invokeMethod(this, [this, code] { onHostKey(code); }, Qt::QueuedConnection);
    };
}

void MainWindow::onReadAllFinished(const ReadAllOutcome &outcome) {
    if (closing_)
        return;
    if (!outcome.result.ok()) {
        services_.prompts.inform(outcome.result.message(app_.language), kWindowTitle);
        update();
        return;
    }
    app_.images.working = outcome.state;
    app_.images.commit();
    app_.device = outcome.device;
    app_.keyboardReportRate = outcome.state.reportRate;
    refresh(messages::kRefreshFull);
}

void MainWindow::refresh(int lParam) {
    ++refreshCount_;
    // keymap.bin that cannot be written is skipped here; the next save tries again.
    (void)refreshData(app_, services_.link, lParam == messages::kRefreshFull);
    setSlidersFromState();
    update();
    if (lParam != messages::kRefreshFull || !firmwareUpdateOffered(app_.device.versionCopy, app_.packaged))
        return;
    if (services_.prompts.confirm(pick(app_.language, "Update new firmware？", "更新到新的固件吗？").toStdString(),
                                  pick(app_.language, "Firmware Update", "固件更新").toStdString()))
        startUpdater();
}

void MainWindow::startUpdater() {
    const std::filesystem::path updater = app_.paths.updaterProgram();
    std::error_code error;
    if (std::filesystem::exists(updater, error))
        services_.shell.startProgram(updater.string(), app_.paths.programFolder);
}

void MainWindow::onHostKey(uint8_t code) {
    if (!closing_)
        runHostAction(code, app_.records.working, services_.shell);
}

void MainWindow::onDeviceRemoved() {
    services_.link.handleRemoval();
    update();
}

void MainWindow::onDeviceArrived() {
    if (closing_)
        return;
    const ArrivalOutcome outcome =
        services_.link.handleArrival(app_.images.working, app_.device, hostActionHandler());
    if (outcome.configReopened) {
        if (outcome.readResult.ok()) {
            app_.keyboardReportRate = app_.images.working.reportRate;
            refresh(messages::kRefreshFull);
        } else {
            services_.prompts.inform(outcome.readResult.message(app_.language), kWindowTitle);
        }
    }
    if (outcome.eventReopened)
        refresh(messages::kRefreshFull);
    update();
}

void MainWindow::showNoKeyboardBalloon(int wParam) {
    if (wParam != messages::kNoKeyboardBalloonWParam)
        return;
    if (tray_)
        tray_->showNoKeyboardBalloon();
    update();  // the window shows the same notice while no keyboard is there
}

void MainWindow::showFromElsewhere() {
    showNormal();
    raise();
    activateWindow();
}

void MainWindow::onTrayDoubleClicked() {
    // kTrayIconMessage, left double-click.
    if (services_.link.configOpen())
        showFromElsewhere();
    else
        showNoKeyboardBalloon(messages::kNoKeyboardBalloonWParam);
}

void MainWindow::hideIfTray() {
    if (hasTrayIcon())
        hide();
}

void MainWindow::teardown() {
    if (tornDown_)
        return;
    tornDown_ = true;
    closing_ = true;
    if (tray_)
        tray_->remove();
    // The read-all worker may be waiting for the window: let it finish before the link closes.
    while (readAllStarted_ && !readAllFinished_)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    services_.link.waitForReadAllWorker();
    services_.link.closeLink();
}

} // namespace quenlar
