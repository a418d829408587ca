#pragma once
// A key assignment dialog over the program's data and a virtual keyboard, driven like a user.

#include "DialogTestSupport.h"
#include "KeyboardTestRig.h"

#include "controls/VividTree.h"
#include "dialogs/CKeyMap.h"

#include <QLineEdit>
#include <QListWidget>

namespace quenlar::testing {


inline const int kEscKey = keyIndexOf(0x1B);
inline const int kF1Key = keyIndexOf(0x70);
inline const int kQKey = keyIndexOf('Q');

using namespace quenlar::dialogs;

struct KeyMapFixture : KeyboardTestRig {
    ScriptedServices services;
    std::unique_ptr<CKeyMap> dialog;

    explicit KeyMapFixture(Language lang = Language::English) { language = lang; }

    void open(int key) {
        dialog = std::make_unique<CKeyMap>(programFolder(), language, names, services);
        dialog->prepare(key, records.working[key], images.working.enableBit(keyAt(key).enableBit), macros);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    QLineEdit *edit(const char *name) { return dialog->findChild<QLineEdit *>(QString::fromLatin1(name)); }
    controls::VividTree *tree() { return dialog->findChild<controls::VividTree *>(QStringLiteral("functionTree")); }
    QListWidget *macroList() { return dialog->findChild<QListWidget *>(QStringLiteral("macroList")); }
    void click(const QPoint &point) { QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, point); }
    void click(CKeyMap::Button button) { click(CKeyMap::buttonRect(button).center()); }
    void focusEdit(const char *name) { QTest::mouseClick(edit(name), Qt::LeftButton); }
    void type(Qt::Key key) {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : dialog.get();
        QTest::keyClick(target, key);
    }
    bool closedWithOk() const { return !dialog->isVisible() && dialog->result() == QDialog::Accepted; }
    bool closedWithCancel() const { return !dialog->isVisible() && dialog->result() == QDialog::Rejected; }
    AssignmentRequest request() const { return dialog->request(); }
    void applyRequest(int key) {
        const Result applied = apply(key, request());
        QVERIFY2(applied.ok(), applied.message().c_str());
    }
};

inline void giveCombine(HostKeyRecord &record, std::initializer_list<uint8_t> keys) {
    record.category = 1;
    record.keyData.fill(0);
    int i = 0;
    for (uint8_t k : keys)
        record.keyData[i++] = k;
    record.keyCount = static_cast<uint8_t>(keys.size());
}

} // namespace quenlar::testing
