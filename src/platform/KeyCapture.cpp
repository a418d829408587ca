#include "platform/KeyCapture.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>

#include <utility>

namespace quenlar {

namespace {

// Windows virtual-key codes the program's key names and key table use.
enum Vk : uint8_t {
    kBack = 0x08, kTab = 0x09, kReturn = 0x0D, kPause = 0x13, kCapital = 0x14, kEscape = 0x1B,
    kSpace = 0x20, kPrior = 0x21, kNext = 0x22, kEnd = 0x23, kHome = 0x24, kLeft = 0x25, kUp = 0x26,
    kRight = 0x27, kDown = 0x28, kSnapshot = 0x2C, kInsert = 0x2D, kDelete = 0x2E, kLWin = 0x5B,
    kRWin = 0x5C, kApps = 0x5D, kNumpad0 = 0x60, kMultiply = 0x6A, kAdd = 0x6B, kKeypadEnter = 0x6C,
    kSubtract = 0x6D, kDecimal = 0x6E, kDivide = 0x6F, kF1 = 0x70, kNumLock = 0x90, kScroll = 0x91,
    kLShift = 0xA0, kRShift = 0xA1, kLControl = 0xA2, kRControl = 0xA3, kLMenu = 0xA4, kRMenu = 0xA5,
    kVolumeMute = 0xAD, kVolumeDown = 0xAE, kVolumeUp = 0xAF, kMediaNext = 0xB0, kMediaPrev = 0xB1,
    kMediaStop = 0xB2, kMediaPlayPause = 0xB3, kLaunchMedia = 0xB5, kOem1 = 0xBA, kOemPlus = 0xBB,
    kOemComma = 0xBC, kOemMinus = 0xBD, kOemPeriod = 0xBE, kOem2 = 0xBF, kOem3 = 0xC0, kOem4 = 0xDB,
    kOem5 = 0xDC, kOem6 = 0xDD, kOem7 = 0xDE,
};

// X11 key symbols that say which of a pair of keys was pressed, and the keypad's own keys
// (with Num Lock off the keypad sends cursor symbols; they stay keypad keys here).
constexpr std::pair<uint32_t, uint8_t> kKeysyms[] = {
    {0xFFE1, kLShift},   {0xFFE2, kRShift},   {0xFFE3, kLControl}, {0xFFE4, kRControl},
    {0xFFE9, kLMenu},    {0xFFEA, kRMenu},    {0xFFE7, kLMenu},    {0xFFE8, kRMenu},
    {0xFE03, kRMenu},    {0xFFEB, kLWin},     {0xFFEC, kRWin},     {0xFF8D, kKeypadEnter},
    {0xFFAA, kMultiply}, {0xFFAB, kAdd},      {0xFFAD, kSubtract}, {0xFFAE, kDecimal},
    {0xFFAC, kDecimal},  {0xFFAF, kDivide},   {0xFF9F, kDecimal},  {0xFF9E, kNumpad0},
    {0xFF9C, kNumpad0 + 1}, {0xFF99, kNumpad0 + 2}, {0xFF9B, kNumpad0 + 3}, {0xFF96, kNumpad0 + 4},
    {0xFF9D, kNumpad0 + 5}, {0xFF98, kNumpad0 + 6}, {0xFF95, kNumpad0 + 7}, {0xFF97, kNumpad0 + 8},
    {0xFF9A, kNumpad0 + 9}, {0xFFB0, kNumpad0}, {0xFFB1, kNumpad0 + 1}, {0xFFB2, kNumpad0 + 2},
    {0xFFB3, kNumpad0 + 3}, {0xFFB4, kNumpad0 + 4}, {0xFFB5, kNumpad0 + 5}, {0xFFB6, kNumpad0 + 6},
    {0xFFB7, kNumpad0 + 7}, {0xFFB8, kNumpad0 + 8}, {0xFFB9, kNumpad0 + 9},
};

std::optional<uint8_t> fromKeysym(uint32_t keysym) {
    for (const auto &[sym, vk] : kKeysyms)
        if (sym == keysym)
            return vk;
    return std::nullopt;
}

// Keys on the keypad when the event carries no key symbol (other platforms, synthesized keys).
std::optional<uint8_t> keypadKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<uint8_t>(kNumpad0 + (key - Qt::Key_0));
    switch (key) {
    case Qt::Key_Asterisk: return kMultiply;
    case Qt::Key_Plus: return kAdd;
    case Qt::Key_Minus: return kSubtract;
    case Qt::Key_Period: case Qt::Key_Comma: case Qt::Key_Delete: return kDecimal;
    case Qt::Key_Slash: return kDivide;
    case Qt::Key_Enter: case Qt::Key_Return: return kKeypadEnter;
    case Qt::Key_Insert: return kNumpad0;
    case Qt::Key_End: return kNumpad0 + 1;
    case Qt::Key_Down: return kNumpad0 + 2;
    case Qt::Key_PageDown: return kNumpad0 + 3;
    case Qt::Key_Left: return kNumpad0 + 4;
    case Qt::Key_Clear: return kNumpad0 + 5;
    case Qt::Key_Right: return kNumpad0 + 6;
    case Qt::Key_Home: return kNumpad0 + 7;
    case Qt::Key_Up: return kNumpad0 + 8;
    case Qt::Key_PageUp: return kNumpad0 + 9;
    default: return std::nullopt;
    }
}

std::optional<uint8_t> mainKey(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<uint8_t>('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<uint8_t>('0' + (key - Qt::Key_0));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<uint8_t>(kF1 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace: return kBack;
    case Qt::Key_Tab: case Qt::Key_Backtab: return kTab;
    case Qt::Key_Return: return kReturn;
    case Qt::Key_Enter: return kKeypadEnter;
    case Qt::Key_Pause: return kPause;
    case Qt::Key_CapsLock: return kCapital;
    case Qt::Key_Escape: return kEscape;
    case Qt::Key_Space: return kSpace;
    case Qt::Key_PageUp: return kPrior;
    case Qt::Key_PageDown: return kNext;
    case Qt::Key_End: return kEnd;
    case Qt::Key_Home: return kHome;
    case Qt::Key_Left: return kLeft;
    case Qt::Key_Up: return kUp;
    case Qt::Key_Right: return kRight;
    case Qt::Key_Down: return kDown;
    case Qt::Key_Print: return kSnapshot;
    case Qt::Key_Insert: return kInsert;
    case Qt::Key_Delete: return kDelete;
    case Qt::Key_Meta: case Qt::Key_Super_L: return kLWin;
    case Qt::Key_Super_R: return kRWin;
    case Qt::Key_Menu: return kApps;
    case Qt::Key_NumLock: return kNumLock;
    case Qt::Key_ScrollLock: return kScroll;
    case Qt::Key_Shift: return kLShift;
    case Qt::Key_Control: return kLControl;
    case Qt::Key_Alt: return kLMenu;
    case Qt::Key_AltGr: return kRMenu;
    case Qt::Key_VolumeMute: return kVolumeMute;
    case Qt::Key_VolumeDown: return kVolumeDown;
    case Qt::Key_VolumeUp: return kVolumeUp;
    case Qt::Key_MediaNext: return kMediaNext;
    case Qt::Key_MediaPrevious: return kMediaPrev;
    case Qt::Key_MediaStop: return kMediaStop;
    case Qt::Key_MediaPlay: case Qt::Key_MediaTogglePlayPause: case Qt::Key_MediaPause: return kMediaPlayPause;
    case Qt::Key_LaunchMedia: return kLaunchMedia;
    // The punctuation keys, plain or shifted (the key is what counts, not the character).
    case Qt::Key_Semicolon: case Qt::Key_Colon: return kOem1;
    case Qt::Key_Equal: case Qt::Key_Plus: return kOemPlus;
    case Qt::Key_Comma: case Qt::Key_Less: return kOemComma;
    case Qt::Key_Minus: case Qt::Key_Underscore: return kOemMinus;
    case Qt::Key_Period: case Qt::Key_Greater: return kOemPeriod;
    case Qt::Key_Slash: case Qt::Key_Question: return kOem2;
    case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return kOem3;
    case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return kOem4;
    case Qt::Key_Backslash: case Qt::Key_Bar: return kOem5;
    case Qt::Key_BracketRight: case Qt::Key_BraceRight: return kOem6;
    case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return kOem7;
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    default: return std::nullopt;
    }
}

// X11 and Wayland give key symbols; the special keys among them lie in 0xFE00..0xFFFF.
bool looksLikeKeysym(uint32_t native) { return native >= 0xFE00 && native <= 0xFFFF; }

} // namespace

std::optional<uint8_t> windowsVirtualKey(int qtKey, Qt::KeyboardModifiers modifiers, uint32_t nativeVirtualKey) {
    if (looksLikeKeysym(nativeVirtualKey))
        if (const auto vk = fromKeysym(nativeVirtualKey))
            return vk;
    if (modifiers.testFlag(Qt::KeypadModifier))
        if (const auto vk = keypadKey(qtKey))
            return vk;
    return mainKey(qtKey);
}

KeyCapture::KeyCapture(QObject *parent) : QObject(parent) {}

KeyCapture::~KeyCapture() { removehook(); }

bool KeyCapture::installhook(QObject *window, int mode) {
    if (mode != kModeOnePerPress && mode != kModePressAndRelease)
        return false;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return false;
    window_ = window;
    mode_ = mode;
    if (!installed_)
        app->installEventFilter(this);
    installed_ = true;
    return true;
}

void KeyCapture::removehook() {
    if (!installed_)
        return;
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
    installed_ = false;
}

std::optional<KeyCapture::HookKey> KeyCapture::messageFor(const QKeyEvent &event, int mode) {
    const bool release = event.type() == QEvent::KeyRelease;
    if (release && (mode == kModeOnePerPress || event.isAutoRepeat()))
        return std::nullopt;
    if (!release && mode == kModeOnePerPress && event.isAutoRepeat())
        return std::nullopt;
    uint32_t native = event.nativeVirtualKey();
    // On Windows the native key is the virtual-key code itself.
    if (QGuiApplication::platformName() == QLatin1String("windows") && native > 0 && native < 256)
        return HookKey{static_cast<uint8_t>(native), release};
    const auto vk = windowsVirtualKey(event.key(), event.modifiers(), native);
    if (!vk)
        return std::nullopt;
    return HookKey{*vk, release};
}

bool KeyCapture::eventFilter(QObject *watched, QEvent *event) {
    if (!installed_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // No shortcut fires while keys are captured; the key press itself is then captured below.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        if (const auto message = messageFor(*static_cast<QKeyEvent *>(event), mode_))
            emit hookKey(message->vk, message->release);
        return true; // the key never reaches a widget while the capture is installed
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace quenlar
