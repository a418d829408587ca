#pragma once
// The key capture: the program's keyboard hook. While installed for a window, every key press
// (mode 0, one message per key pressed; held keys do not repeat) or every press and release
// (mode 1; a held key repeats its press like the system's auto-repeat, and releases once) typed
// into any window of the program is delivered as the hook-key message: the Windows virtual-key
// code 0..255 and a release flag. Left and right Shift, Control, Alt and Windows keys are told
// apart, and the keypad keys have their own codes whatever the Num Lock state.
//
// While installed the captured key events are kept from every widget, so typed keys never reach
// an edit control and Enter or Escape never close a dialog.
//
// It is an event filter on the application object, so it sees the keys of the program's own
// windows only, on every platform Qt runs on.

#include "macro/MacroKeyHook.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace quenlar {

// The virtual-key code (1..255) for a key event's Qt key, its modifiers and the platform's native
// key (under X11 the key symbol, e.g. 0xFFE1 left Shift); nullopt for keys without a code.
std::optional<uint8_t> windowsVirtualKey(int qtKey, Qt::KeyboardModifiers modifiers, uint32_t nativeVirtualKey);

class KeyCapture : public QObject, public MacroKeyHook {
    Q_OBJECT
public:
    // The hook library's message to the capturing window (wParam code, lParam bit 31 release).
    static constexpr int kHookKeyMessage = 1779;
    static constexpr int kModeOnePerPress = 0;
    static constexpr int kModePressAndRelease = 1;

    // macroMode is the mode MacroKeyHook::install uses (recording and capture insertion).
    explicit KeyCapture(QObject *parent = nullptr);
    ~KeyCapture() override;

    // installhook: starts delivering keys to `window` (hookKey is emitted for it) in the given
    // mode. False when there is no application to capture from or the mode is unknown.
    bool installhook(QObject *window, int mode);
    // removehook: stops; harmless when not installed.
    void removehook();
    bool installed() const { return installed_; }
    int mode() const { return mode_; }

    // MacroKeyHook: the macro manager records presses and releases (mode 1) for the window given
    // by setMacroWindow.
    void setMacroWindow(QObject *window) { macroWindow_ = window; }
    bool install() override { return installhook(macroWindow_, kModePressAndRelease); }
    void remove() override { removehook(); }

    // The conversion of one key event into the message, if it produces one in this mode.
    struct HookKey {
        uint8_t vk;
        bool release;
    };
    static std::optional<HookKey> messageFor(const QKeyEvent &event, int mode);

signals:
    // kHookKeyMessage 1779: wParam = vk, release = lParam bit 31.
    void hookKey(int vk, bool release);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool installed_ = false;
    int mode_ = kModeOnePerPress;
    QPointer<QObject> window_;
    QPointer<QObject> macroWindow_;
};

} // namespace quenlar
