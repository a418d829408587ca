#pragma once
// Tells the window when a HID device appears or disappears, from the udev monitor of the
// hidraw subsystem, fed into the event loop. Like the system notices the program was designed
// around, it does not say which device: the window reopens or closes the keyboard link either way.

#include <QObject>

#include <memory>

class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace quenlar {

class UsbDeviceMonitor : public QObject {
    Q_OBJECT
public:
    explicit UsbDeviceMonitor(QObject *parent = nullptr);
    ~UsbDeviceMonitor() override;

    // False when udev could not be reached; the program then runs without following replugging.
    bool isActive() const { return notifier_ != nullptr; }

signals:
    void deviceArrived();
    void deviceRemoved();

private:
    void readEvents();

    udev *udev_ = nullptr;
    udev_monitor *monitor_ = nullptr;
    QSocketNotifier *notifier_ = nullptr;
};

} // namespace quenlar
