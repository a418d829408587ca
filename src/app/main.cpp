// quenlar-uk: the keyboard's configuration window.
//   quenlar-uk [--device=hid|virtual[:STATE_FILE]] [--trace=FILE] [--data-dir=DIR]
#include "app/ApplicationState.h"
#include "app/MainWindow.h"
#include "app/MessageBoxPrompts.h"
#include "app/ProgramOptions.h"
#include "device/HidLink.h"
#include "dialogs/QtDialogServices.h"
#include "dialogs/SkinnedDialogs.h"
#include "device/ReportTrace.h"
#include "device/Sleeper.h"
#include "keymap/DataLocation.h"
#include "keymap/ProgramFolder.h"
#include "platform/HidapiTransport.h"
#include "platform/InterfaceLanguage.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "platform/UsbDeviceMonitor.h"
#include "virtual/VirtualKeyboard.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <string>
#include <memory>
#include <span>

using namespace quenlar;

int main(int argc, char **argv) {
    const std::span<const char *const> arguments(argv, static_cast<std::size_t>(argc));
    const ProgramOptions options = parseProgramOptions(arguments);
    if (!options.error.empty()) {
        std::fprintf(stderr, "quenlar-uk: %s\nusage: quenlar-uk [--device=hid|virtual[:STATE_FILE]] "
                             "[--trace=FILE] [--data-dir=DIR]\n",
                     options.error.c_str());
        return 2;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pellidor UK"));
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance;
    if (!instance.isPrimary())
        return 0;  // the running copy was asked to show its window

    const Language language = readInterfaceLanguage();
    std::string dataError;
    DataPaths paths = resolveDataPaths(arguments, programFolder(), &dataError);
    if (!dataError.empty())
        std::fprintf(stderr, "quenlar-uk: %s\n", dataError.c_str());
    auto app = std::make_unique<ApplicationState>(language, std::move(paths));

    std::unique_ptr<HidTransport> transport;
    VirtualKeyboard *virtualKeyboard = nullptr;
    if (options.device == ProgramOptions::Device::Virtual) {
        auto keyboard = std::make_unique<VirtualKeyboard>(options.stateFile);
        virtualKeyboard = keyboard.get();
        transport = std::move(keyboard);
    } else {
        transport = std::make_unique<HidapiTransport>();
    }
    std::unique_ptr<ReportTrace> trace =
        options.traceFile.empty() ? std::make_unique<ReportTrace>() : std::make_unique<ReportTrace>(options.traceFile);
    if (!options.traceFile.empty() && !trace->isOpen())
        std::fprintf(stderr, "quenlar-uk: cannot write the trace file %s\n", options.traceFile.c_str());
    RealSleeper sleeper;
    HidLink link(*transport, sleeper, *trace);

    dialogs::QtDialogServices dialogServices;
    dialogs::SkinnedDialogs dialogs(dialogServices);
    MessageBoxPrompts prompts;
    DesktopShell shell;
    MainWindow window(*app, MainWindow::Services{link, dialogs, prompts, shell});
    prompts.setOwner(&window);
    dialogServices.setParent(&window);

    QObject::connect(&instance, &SingleInstance::showRequested, &window, &MainWindow::showFromElsewhere);
    QObject::connect(&window, &MainWindow::finished, &application, &QApplication::quit);

    std::unique_ptr<UsbDeviceMonitor> monitor;
    if (virtualKeyboard) {
        // The virtual keyboard's cable stands in for the system's device notices.
        virtualKeyboard->setPlugListener([&window](bool plugged) {
            QMetaObject::invokeMethod(&window, plugged ? "onDeviceArrived" : "onDeviceRemoved", Qt::QueuedConnection);
        });
    } else {
        monitor = std::make_unique<UsbDeviceMonitor>();
        if (!monitor->isActive())
            QMessageBox::warning(nullptr, QStringLiteral("quenlar-uk"),
                                 QStringLiteral("Cannot register for Wdm2 class device notification"));
        QObject::connect(monitor.get(), &UsbDeviceMonitor::deviceArrived, &window, &MainWindow::onDeviceArrived);
        QObject::connect(monitor.get(), &UsbDeviceMonitor::deviceRemoved, &window, &MainWindow::onDeviceRemoved);
    }

    window.initialise();
    const int result = application.exec();
    if (virtualKeyboard)
        virtualKeyboard->setPlugListener({});
    return result;
}
