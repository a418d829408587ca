#pragma once
// The notification-area icon: double-click shows the window, the right-button menu holds "Exit",
// and a balloon tells that no keyboard was found. Where the desktop has no system tray there is
// no icon, and the window never hides itself (nothing could bring it back).

#include "model/Language.h"

#include <QObject>

#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace quenlar {

class TrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TrayIcon(Language language, QObject *parent = nullptr);
    ~TrayIcon() override;

    // Whether an icon is shown (the desktop has a system tray).
    bool available() const { return icon_ != nullptr; }
    void remove();
    void showNoKeyboardBalloon();

signals:
    void doubleClicked();  // mouse message 515 of kTrayIconMessage
    void exitChosen();     // menu command kExitCommand

private:
    std::unique_ptr<QMenu> menu_;
    QSystemTrayIcon *icon_ = nullptr;
};

} // namespace quenlar
