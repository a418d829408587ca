// The main window's commands: apply, revert, factory reset, the three dialogs, help, minimise,
// close, Exit and About.
#include "app/MainWindow.h"

#include "app/Texts.h"
#include "app/WindowCommands.h"
#include "keymap/ApplyAssignment.h"
#include "keymap/KeymapFile.h"
#include "macro/MacroLibraryFile.h"
#include "macro/MacroSlots.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>

namespace quenlar {

namespace {
// The wait cursor for as long as a command talks to the keyboard.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};
} // namespace

void MainWindow::inform(const std::string &english, const std::string &chinese) {
    services_.prompts.inform(app_.language == Language::Chinese ? chinese : english, kWindowTitle);
}

DialogContext MainWindow::dialogContext() {
    return DialogContext{app_.language,
                         std::filesystem::path(app_.paths.programFolder),
                         std::filesystem::path(app_.paths.dataFolder),
                         app_.images,
                         app_.records,
                         app_.macros,
                         app_.keyNames};
}

void MainWindow::applyCommand() {
    ApplyOutcome outcome;
    {
        WaitCursor wait;
        outcome = applyChanges(app_, services_.link);
    }
    if (!outcome.keyboardPresent)
        inform("No keyboard is connected, so nothing was sent. Your changes are kept; apply them again once the "
               "keyboard is plugged in.",
               "未连接键盘，没有发送任何设置。您的更改已保留，请在连接键盘后再次保存。");
    else if (!outcome.write.result.ok())
        services_.prompts.inform(outcome.write.result.message(app_.language), kWindowTitle);
    else if (!outcome.saved.ok())
        services_.prompts.inform(outcome.saved.message(), kWindowTitle);
}

void MainWindow::revertCommand() {
    hideIfTray();
    (void)revertChanges(app_);  // keymap.bin that cannot be written keeps the reverted state in memory
    picture_.paintMode = app_.images.working.lightEffect >= kFirstCustomEffect;
    setSlidersFromState();
}

void MainWindow::factoryResetCommand() {
    if (!services_.prompts.confirm(
            pick(app_.language, "Confirm to return Factory Setting?", "确认恢复至出厂设置吗？").toStdString(),
            pick(app_.language, "Factory Setting", "出厂设置").toStdString()))
        return;
    FactoryResetOutcome outcome;
    {
        WaitCursor wait;
        picture_.paintMode = false;
        layout_.folding.foldAll();
        outcome = factoryReset(app_, services_.link);
        setSlidersFromState();
    }
    if (!outcome.link.ok())
        services_.prompts.inform(outcome.link.message(app_.language), kWindowTitle);
    else if (!outcome.saved.ok())
        services_.prompts.inform(outcome.saved.message(), kWindowTitle);
}

void MainWindow::profileCommand() {
    DialogContext context = dialogContext();
    services_.dialogs.runProfileManager(this, context);
    refresh(messages::kRefreshAfterProfile);
}

void MainWindow::macroCommand() {
    DialogContext context = dialogContext();
    if (!services_.dialogs.runMacroManager(this, context))
        return;
    PackMacroSlots(app_.macros, app_.images.working);
    if (Result saved = saveKeymapFile(app_.paths.keymapFile(), app_.images.working, app_.records.working, app_.language);
        !saved)
        services_.prompts.inform(saved.message(), kWindowTitle);
    if (Result saved = SaveMacroLibrary(app_.paths.macroLibraryFile(), app_.macros, app_.language); !saved)
        services_.prompts.inform(saved.message(), kWindowTitle);
}

void MainWindow::assignKey(int key) {
    // The dialog works on the records as keymap.bin holds them; the image stays as it is.
    (void)loadKeymapFile(app_.paths.keymapFile(), KeymapLoadMode::RecordsOnly, app_.images.working,
                         app_.records.working, app_.language);
    DialogContext context = dialogContext();
    std::optional<AssignmentRequest> request = services_.dialogs.runKeyAssignment(this, context, key);
    if (!request)
        return;
    const AssignmentTarget target{app_.images.working, app_.records.working, app_.keyChanged};
    const AssignmentEnvironment environment{app_.keyNames, app_.language,
                                            [this](KeyboardState &state) { PackMacroSlots(app_.macros, state); }};
    if (Result applied = applyConfirmedAssignment(key, *request, target, environment, app_.paths.keymapFile()); !applied)
        services_.prompts.inform(applied.message(), kWindowTitle);
}

void MainWindow::helpClick(int x, int y) {
    switch (HelpPanel::lineAt(x, y)) {
    case HelpPanel::Line::HomePage: QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePageAddress))); break;
    case HelpPanel::Line::UpdateFirmware:
        if (HelpPanel::updaterOffered(app_.device.versionCopy[0], app_.packaged.major))
            startUpdater();
        break;
    default: break;
    }
    help_.open = false;
}

void MainWindow::minimiseCommand() {
    if (hasTrayIcon())
        hide();
    else
        showMinimized();
}

void MainWindow::closeCommand() {
    // Changes never applied are not kept: keymap.bin gets what the keyboard holds.
    (void)saveSyncedKeymap(app_);
    exitCommand();
}

void MainWindow::exitCommand() {
    if (closing_)
        return;
    teardown();
    hide();
    emit finished();
}

void MainWindow::aboutCommand() {
    QMessageBox box(this);
    box.setWindowTitle(pick(app_.language, "About Pellidor UK", "关于 Pellidor UK"));
    box.setIconPixmap(windowIcon().pixmap(64));
    box.setText(QStringLiteral("Pellidor UK, Version 1.0"));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void MainWindow::contextMenuEvent(QContextMenuEvent *event) {
    // The window's system menu: its About item.
    QMenu menu(this);
    menu.addAction(QStringLiteral("About Velkor(&A)..."), this, &MainWindow::aboutCommand);
    menu.exec(event->globalPos());
}

void MainWindow::closeEvent(QCloseEvent *event) {
    // Closed by the desktop (not by the close button): end like Exit.
    exitCommand();
    event->accept();
}

} // namespace quenlar
