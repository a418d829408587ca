// The window program's command line.
#include "app/ProgramOptions.h"

#include <QtTest>

#include <vector>

using namespace quenlar;

class ProgramOptionsTest : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
};

void ProgramOptionsTest::parse_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("virtualDevice");
    QTest::addColumn<QString>("stateFile");
    QTest::addColumn<QString>("traceFile");
    QTest::addColumn<bool>("refused");
    QTest::newRow("nothing: the USB keyboard") << QStringList{} << false << "" << "" << false;
    QTest::newRow("virtual in memory") << QStringList{"--device=virtual"} << true << "" << "" << false;
    QTest::newRow("virtual with a state file")
        << QStringList{"--device=virtual:/tmp/k.bin", "--trace=/tmp/t.txt"} << true << "/tmp/k.bin" << "/tmp/t.txt" << false;
    QTest::newRow("the last device wins") << QStringList{"--device=virtual:/a", "--device=hid"} << false << "/a" << "" << false;
    QTest::newRow("data folder and Qt's own options pass")
        << QStringList{"--data-dir=/tmp/d", "-platform", "offscreen"} << false << "" << "" << false;
    QTest::newRow("unknown option") << QStringList{"--device=usb"} << false << "" << "" << true;
    QTest::newRow("trace without a file") << QStringList{"--trace="} << false << "" << "" << true;
}

void ProgramOptionsTest::parse() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, virtualDevice);
    QFETCH(QString, stateFile);
    QFETCH(QString, traceFile);
    QFETCH(bool, refused);
    std::vector<QByteArray> storage{"quenlar-uk"};
    for (const QString &argument : arguments)
        storage.push_back(argument.toUtf8());
    std::vector<const char *> argv;
    for (const QByteArray &argument : storage)
        argv.push_back(argument.constData());
    const ProgramOptions options = parseProgramOptions(argv);
    QCOMPARE(!options.error.empty(), refused);
    if (refused)
        return;
    QCOMPARE(options.device == ProgramOptions::Device::Virtual, virtualDevice);
    QCOMPARE(QString::fromStdString(options.stateFile), stateFile);
    QCOMPARE(QString::fromStdString(options.traceFile), traceFile);
}

QTEST_MAIN(ProgramOptionsTest)
#include "tst_program_options.moc"
