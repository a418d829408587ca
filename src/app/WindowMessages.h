#pragma once
// The main window's fixed message numbers. Each stands for a Qt signal, slot or queued call,
// named beside the code that handles it; the numbers are kept so that the program's parts can
// be matched with the keyboard maker's documentation of them.

namespace quenlar::messages {

inline constexpr int kTrayIconMessage = 1029;        // tray icon activated (MainWindow::onTrayActivated)
inline constexpr int kNoKeyboardBalloon = 1030;      // balloon "no keyboard" (MainWindow::showNoKeyboardBalloon)
inline constexpr int kNoKeyboardBalloonWParam = 15;  // the only wParam that shows the balloon
inline constexpr int kHostKeyMessage = 1912;         // host-run key action (MainWindow::onHostKey), queued
inline constexpr int kSliderMovedMessage = 1913;     // image slider moved (MainWindow::onSliderNotified)
inline constexpr int kRefreshMessage = 1915;         // refresh after a read (MainWindow::refresh), waited for
inline constexpr int kRefreshFull = 0;               // lParam 0: with the firmware check
inline constexpr int kRefreshAfterProfile = 1;       // lParam 1: without it
inline constexpr int kExitCommand = 32772;           // the tray menu's "Exit"
inline constexpr int kAboutCommand = 16;             // "About Velkor(&A)..."

} // namespace quenlar::messages
