#include "app/TrayIcon.h"

#include "app/Texts.h"
#include "controls/ProgramBitmaps.h"

#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace quenlar {

TrayIcon::TrayIcon(Language language, QObject *parent) : QObject(parent) {
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    menu_ = std::make_unique<QMenu>();
    QAction *exit = menu_->addAction(pick(language, "Exit", "退出"));
    connect(exit, &QAction::triggered, this, &TrayIcon::exitChosen);
    icon_ = new QSystemTrayIcon(QIcon(QPixmap::fromImage(controls::ProgramBitmaps::programIcon(32))), this);
    icon_->setToolTip(QString::fromLatin1(kTrayTip));
    icon_->setContextMenu(menu_.get());
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger)
            emit doubleClicked();
    });
    icon_->show();
}

TrayIcon::~TrayIcon() { remove(); }

void TrayIcon::remove() {
    if (icon_)
        icon_->hide();
}

void TrayIcon::showNoKeyboardBalloon() {
    if (icon_)
        icon_->showMessage(QStringLiteral("Warning"), QStringLiteral("No Quenlar DE Keyboard Detected!"),
                           QSystemTrayIcon::Information, 100);
}

} // namespace quenlar
