// The dialogs' questions as the user sees them: message boxes with the exact text and caption,
// and the Advance page's file chooser and folder browser.
#include "DialogTestSupport.h"

#include "dialogs/QtDialogServices.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>

using namespace quenlar;
using namespace quenlar::dialogs;
using namespace quenlar::testing;

class DialogServicesTest : public QObject {
    Q_OBJECT
private slots:
    void informShowsTheTextAndCaption() {
        QtDialogServices services;
        QString text, caption;
        whenModalOpens({}, [&](QWidget &box) {
            auto &message = static_cast<QMessageBox &>(box);
            text = message.text();
            caption = message.windowTitle();
            message.button(QMessageBox::Ok)->click();
        }, "QMessageBox");
        services.inform("请选择子项", "Quenlar");
        QCOMPARE(text, QStringLiteral("请选择子项"));
        QCOMPARE(caption, QStringLiteral("Quenlar"));
    }

    void confirmAnswersOkAndCancel_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void confirmAnswersOkAndCancel() {
        QFETCH(bool, ok);
        QtDialogServices services;
        whenModalOpens({}, [ok](QWidget &box) {
            static_cast<QMessageBox &>(box).button(ok ? QMessageBox::Ok : QMessageBox::Cancel)->click();
        }, "QMessageBox");
        QCOMPARE(services.confirm("Delete current profile ?", "Profile"), ok);
    }

    void actionFileChooserUsesTheRowsPattern() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("theme.mp3"));
        QFile(file).open(QIODevice::WriteOnly);
        QtDialogServices services;
        QStringList filters;
        QString suffix;
        whenModalOpens({}, [&](QWidget &window) {
            auto &chooser = static_cast<QFileDialog &>(window);
            filters = chooser.nameFilters();
            suffix = chooser.defaultSuffix();
            chooser.selectFile(file);
            QMetaObject::invokeMethod(&chooser, "accept");
        }, "QFileDialog");
        const auto chosen = services.chooseActionFile({"mp3 Files(*.mp3)", "*.mp3", "mp3"});
        QCOMPARE(filters, QStringList{"mp3 Files(*.mp3)"});
        QCOMPARE(suffix, QStringLiteral("mp3"));
        QVERIFY(chosen.has_value());
        QCOMPARE(QString::fromStdString(chosen->string()), file);
    }

    void folderBrowserIsTitledAndCancels() {
        QtDialogServices services;
        QString title;
        whenModalOpens({}, [&](QWidget &window) {
            title = window.windowTitle();
            static_cast<QFileDialog &>(window).reject();
        }, "QFileDialog");
        QVERIFY(!services.chooseFolder("modification path").has_value());
        QCOMPARE(title, QStringLiteral("modification path"));
    }
};

QTEST_MAIN(DialogServicesTest)
#include "tst_dialog_services.moc"
