#pragma once
// A macro manager over a macro library with a hand-driven clock, driven like a user.

#include "DialogTestSupport.h"

#include "dialogs/CMacroRecordDlg.h"
#include "dialogs/MacroEventMenu.h"
#include "macro/MacroLibrary.h"

namespace quenlar::testing {

using namespace std::chrono_literals;
using namespace quenlar::dialogs;


using Bytes = std::vector<uint8_t>;

struct MacroFixture {
    KeyNameTable names;
    ScriptedServices services;
    MacroTable master{};
    Language language;
    std::chrono::steady_clock::time_point now{std::chrono::seconds(1000)};
    std::unique_ptr<CMacroRecordDlg> dialog;

    explicit MacroFixture(int macros = 1, Language lang = Language::English) : language(lang) {
        for (int i = 0; i < macros; ++i)
            appendNewMacro(master);
    }
    void open() {
        dialog = std::make_unique<CMacroRecordDlg>(programFolder(), language, names, services, [this] { return now; });
        dialog->prepare(master);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    controls::CTransparentListBox *list(const char *name) {
        return dialog->findChild<controls::CTransparentListBox *>(QString::fromLatin1(name));
    }
    QLineEdit *loopField() { return dialog->findChild<QLineEdit *>(QStringLiteral("loopField")); }
    void click(CMacroRecordDlg::HotSpot spot) {
        QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, CMacroRecordDlg::hotSpotRect(spot).center());
    }
    void press(Qt::Key key, bool autoRepeat = false) { send(QEvent::KeyPress, key, autoRepeat); }
    void release(Qt::Key key) { send(QEvent::KeyRelease, key, false); }
    void send(QEvent::Type type, Qt::Key key, bool autoRepeat) {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : dialog.get();
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(target, &event);
    }
    void type(Qt::Key key, std::chrono::milliseconds held = 0ms) {
        press(key);
        now += held;
        release(key);
    }
    QStringList lines() {
        QStringList out;
        for (int i = 0; i < list("eventList")->count(); ++i)
            out << list("eventList")->item(i)->text();
        return out;
    }
    const MacroRecord &record(int i) const { return dialog->workingTable()[i]; }
    static Bytes head(const MacroStream &stream, std::size_t n) { return Bytes(stream.begin(), stream.begin() + n); }
    // Right-click on the event list and pick a command from its menu.
    void menuCommand(int command) {
        choosePopupCommand(command);
        QWidget *viewport = list("eventList")->viewport();
        QTest::mouseClick(viewport, Qt::RightButton, {}, QPoint(20, 5));
    }
    void recordAB() {
        click(CMacroRecordDlg::Record);
        type(Qt::Key_A);
        type(Qt::Key_B);
        click(CMacroRecordDlg::Record);
    }
};

} // namespace quenlar::testing
