// The key capture inside a running program: which messages each mode gives for real key events,
// left and right modifiers from their key symbols, and keys kept from the widgets while installed.
#include "platform/KeyCapture.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

using namespace quenlar;

namespace {

using Messages = QList<QPair<int, bool>>;

struct Window {
    QDialog dialog;
    QLineEdit *edit;
    QPushButton *okButton;
    Window() {
        auto *layout = new QVBoxLayout(&dialog);
        edit = new QLineEdit(&dialog);
        okButton = new QPushButton(QStringLiteral("OK"), &dialog);
        okButton->setDefault(true);
        QObject::connect(okButton, &QPushButton::clicked, &dialog, &QDialog::accept);
        layout->addWidget(edit);
        layout->addWidget(okButton);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        edit->setFocus();
    }
};

Messages recorded(KeyCapture &capture, const std::function<void()> &typing) {
    Messages out;
    auto connection = QObject::connect(&capture, &KeyCapture::hookKey,
                                       [&out](int vk, bool release) { out.append({vk, release}); });
    typing();
    QObject::disconnect(connection);
    return out;
}

// A key event as the X11 platform delivers it: Qt key plus the key symbol as native key.
void sendNative(QWidget *to, QEvent::Type type, int key, quint32 keysym, bool autoRepeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, 0, keysym, 0, QString(), autoRepeat);
    QApplication::sendEvent(to, &event);
}

} // namespace

class KeyCaptureTest : public QObject {
    Q_OBJECT
private slots:
    void modeZeroGivesOneMessagePerKeyPressed() {
        Window w;
        KeyCapture capture;
        QVERIFY(capture.installhook(&w.dialog, KeyCapture::kModeOnePerPress));
        const Messages got = recorded(capture, [&] {
            QTest::keyClick(w.edit, Qt::Key_A);
            // A held key: repeated presses and releases flagged as auto-repeat, then the release.
            QTest::keyPress(w.edit, Qt::Key_B);
            sendNative(w.edit, QEvent::KeyRelease, Qt::Key_B, 0x62, true);
            sendNative(w.edit, QEvent::KeyPress, Qt::Key_B, 0x62, true);
            QTest::keyRelease(w.edit, Qt::Key_B);
        });
        QCOMPARE(got, (Messages{{0x41, false}, {0x42, false}}));
    }

    void modeOneGivesPressesAndReleasesWithRepeatedPresses() {
        Window w;
        KeyCapture capture;
        QVERIFY(capture.installhook(&w.dialog, KeyCapture::kModePressAndRelease));
        const Messages got = recorded(capture, [&] {
            QTest::keyPress(w.edit, Qt::Key_B);
            sendNative(w.edit, QEvent::KeyRelease, Qt::Key_B, 0x62, true);
            sendNative(w.edit, QEvent::KeyPress, Qt::Key_B, 0x62, true);
            QTest::keyRelease(w.edit, Qt::Key_B);
        });
        QCOMPARE(got, (Messages{{0x42, false}, {0x42, false}, {0x42, true}}));
    }

    void leftAndRightModifiersAreToldApart_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<quint32>("keysym");
        QTest::addColumn<int>("vk");
        QTest::newRow("left shift") << int(Qt::Key_Shift) << quint32(0xFFE1) << 0xA0;
        QTest::newRow("right shift") << int(Qt::Key_Shift) << quint32(0xFFE2) << 0xA1;
        QTest::newRow("left control") << int(Qt::Key_Control) << quint32(0xFFE3) << 0xA2;
        QTest::newRow("right control") << int(Qt::Key_Control) << quint32(0xFFE4) << 0xA3;
        QTest::newRow("left alt") << int(Qt::Key_Alt) << quint32(0xFFE9) << 0xA4;
        QTest::newRow("right alt") << int(Qt::Key_Alt) << quint32(0xFFEA) << 0xA5;
        QTest::newRow("keypad 7, Num Lock off") << int(Qt::Key_Home) << quint32(0xFF95) << 0x67;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << quint32(0xFF8D) << 0x6C;
    }
    void leftAndRightModifiersAreToldApart() {
        QFETCH(int, key);
        QFETCH(quint32, keysym);
        QFETCH(int, vk);
        Window w;
        KeyCapture capture;
        QVERIFY(capture.installhook(&w.dialog, KeyCapture::kModePressAndRelease));
        const Messages got = recorded(capture, [&] {
            sendNative(w.edit, QEvent::KeyPress, key, keysym);
            sendNative(w.edit, QEvent::KeyRelease, key, keysym);
        });
        QCOMPARE(got, (Messages{{vk, false}, {vk, true}}));
    }

    void typedKeysNeverReachTheWidgetsWhileInstalled() {
        Window w;
        KeyCapture capture;
        QVERIFY(capture.installhook(&w.dialog, KeyCapture::kModeOnePerPress));
        QTest::keyClicks(w.edit, QStringLiteral("abc"));
        QTest::keyClick(w.edit, Qt::Key_Return);
        QTest::keyClick(w.edit, Qt::Key_Escape);
        QCOMPARE(w.edit->text(), QString());
        QVERIFY2(w.dialog.isVisible(), "Enter or Escape closed the dialog through the capture");

        // Removed: typing reaches the edit again, and no message is sent any more.
        capture.removehook();
        QSignalSpy spy(&capture, &KeyCapture::hookKey);
        QTest::keyClicks(w.edit, QStringLiteral("xy"));
        QCOMPARE(w.edit->text(), QStringLiteral("xy"));
        QCOMPARE(spy.count(), 0);
    }

    void aDestroyedCaptureLeavesTheProgramAlone() {
        Window w;
        {
            KeyCapture capture;
            QVERIFY(capture.installhook(&w.dialog, KeyCapture::kModePressAndRelease));
        }
        QTest::keyClicks(w.edit, QStringLiteral("ok"));
        QCOMPARE(w.edit->text(), QStringLiteral("ok"));
    }

    void unknownModeIsRefused() {
        KeyCapture capture;
        QVERIFY(!capture.installhook(nullptr, 2));
        QVERIFY(!capture.installed());
    }
};

QTEST_MAIN(KeyCaptureTest)
#include "tst_key_capture.moc"
