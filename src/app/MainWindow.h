#pragma once
// The program's main window: one borderless skinned widget composed from the skin images on
// every repaint. Its parts (keyboard picture, lighting panel, options panel, lower bar, help
// panel) each own their regions, drawing and clicks; the window routes the pointer to them,
// runs the commands, and follows the keyboard's life: the read at start, the refresh after a
// read, unplugging and plugging in, and the host-run key actions.

#include "app/ApplicationState.h"
#include "app/HelpPanel.h"
#include "app/KeyboardPicture.h"
#include "app/LightingPanel.h"
#include "app/MainLayout.h"
#include "app/OptionsPanel.h"
#include "app/WindowDialogs.h"
#include "app/WindowMessages.h"
#include "controls/BitSlider.h"
#include "controls/SkinImageCache.h"
#include "device/HidLink.h"
#include "keymap/HostShell.h"
#include "model/UserPrompts.h"

#include <QImage>
#include <QWidget>

#include <atomic>

namespace quenlar {

class TrayIcon;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    struct Services {
        HidLink &link;
        WindowDialogs &dialogs;
        UserPrompts &prompts;
        HostShell &shell;
    };

    MainWindow(ApplicationState &app, Services services, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The initialisation: version file, skin size, sliders, macro library, the keyboard link,
    // the tray icon, keymap.bin and the commit; then the read of the keyboard on its worker and
    // the window shown.
    void initialise();

    // PaintMainWindow: the whole window composed off screen.
    QImage composeFrame();

    // --- the parts, for the window's own tests -------------------------------------------------
    MainLayout &layout() { return layout_; }
    KeyboardPicture &picture() { return picture_; }
    LightingPanel &lighting() { return lighting_; }
    OptionsPanel &options() { return options_; }
    HelpPanel &help() { return help_; }
    controls::CBitSlider &speedSlider() { return speed_; }
    controls::CBitSlider &brightnessSlider() { return brightness_; }
    controls::CBitSlider &reportSlider() { return report_; }
    bool readAllFinished() const { return readAllFinished_; }
    int refreshCount() const { return refreshCount_; }
    bool hasTrayIcon() const;

public slots:
    // messages::kRefreshMessage (1915): lParam kRefreshFull or kRefreshAfterProfile. The read-all
    // worker waits for it (blocking queued call).
    void refresh(int lParam);
    // messages::kHostKeyMessage (1912), queued from the listener thread.
    void onHostKey(uint8_t code);
    // messages::kSliderMovedMessage (1913), wParam = the slider's control id.
    void onSliderNotified(int controlId);
    // messages::kNoKeyboardBalloon (1030).
    void showNoKeyboardBalloon(int wParam);
    // The system's device notices (udev, or the virtual keyboard's plug listener).
    void onDeviceArrived();
    void onDeviceRemoved();
    // A second start of the program asked for the window; also the tray's double-click when
    // the keyboard is there (messages::kTrayIconMessage).
    void showFromElsewhere();
    void onTrayDoubleClicked();

    // The commands of the regions and menus.
    void applyCommand();
    void revertCommand();
    void factoryResetCommand();
    void profileCommand();
    void macroCommand();
    void minimiseCommand();
    void closeCommand();
    void exitCommand();  // messages::kExitCommand: ends without writing keymap.bin
    void aboutCommand(); // messages::kAboutCommand

signals:
    // The main window's run ended (close or Exit): the program ends.
    void finished();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QString skinFolder() const;
    DialogContext dialogContext();
    KeyEventListener::HostActionHandler hostActionHandler();
    void setupSliders();
    void setSlidersFromState();
    void onReadAllFinished(const ReadAllOutcome &outcome);
    void dispatchRegion(int code);
    void keyClick(int x, int y);
    void assignKey(int key);
    void helpClick(int x, int y);
    void startUpdater();
    void inform(const std::string &english, const std::string &chinese);
    void hideIfTray();
    void teardown();

    ApplicationState &app_;
    Services services_;
    controls::SkinImageCache cache_;
    controls::CBitSlider speed_;
    controls::CBitSlider brightness_;
    controls::CBitSlider report_;
    MainLayout layout_;
    KeyboardPicture picture_;
    LightingPanel lighting_;
    OptionsPanel options_;
    HelpPanel help_;
    TrayIcon *tray_ = nullptr;

    bool buttonHeld_ = false;   // ButtonHeld
    bool keypadEnter_ = false;  // whether the last Enter came from the keypad
    int lastSeenPosition_[3] = {-1, -1, -1};  // speed, brightness, report rate at the last 1913
    int refreshCount_ = 0;
    bool readAllStarted_ = false;
    std::atomic<bool> readAllFinished_{false};
    bool closing_ = false;
    bool tornDown_ = false;
};

} // namespace quenlar
