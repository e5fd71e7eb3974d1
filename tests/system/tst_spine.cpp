// The running program's spine: start-up discovery, single instance, rig refusal, the simulator's
// control socket and an orderly end on signals.
#include "ProgramUnderTest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QTest>

#include <sys/stat.h>

namespace {
constexpr std::uint16_t kVendor = 0x264A;
constexpr std::uint16_t kFirstPlusProduct = 0x1FA5;
constexpr int kBoxCount = 16;

QString plusDevice(int box) {
    return simDeviceName(kVendor, static_cast<std::uint16_t>(kFirstPlusProduct + box));
}

QJsonObject plusRig(std::initializer_list<int> boxes) {
    QJsonArray plus;
    for (int box : boxes)
        plus.append(QJsonObject{{"index", box}});
    return QJsonObject{{"plus", plus}};
}

// Report ID 0, then the probe command, zero-padded to the 65 bytes of every output report.
QByteArray probeReport() {
    QByteArray report(65, '\0');
    report[1] = static_cast<char>(0xFE);
    report[2] = static_cast<char>(0x33);
    return report;
}

bool traceIsEmpty(const ProgramUnderTest& program) {
    QString error;
    return !program.traceExists() || (program.trace(&error).isEmpty() && error.isEmpty());
}
} // namespace

class SpineTest : public QObject {
    Q_OBJECT

private slots:
    void startupOpensEveryPlusBoxInOrderAndProbesThePresentOnes();
    void secondStartHandsOverToTheRunningInstance();
    void stderrHoldsWarningsUnlessRulesAskForMore();
    void fifoAsTheLogFileDoesNotHangTheStart();
    void badRigIsRefused_data();
    void badRigIsRefused();
    void controlSocketAnswers_data();
    void controlSocketAnswers();
    void signalEndsTheProgramInOrder_data();
    void signalEndsTheProgramInOrder();
};

void SpineTest::startupOpensEveryPlusBoxInOrderAndProbesThePresentOnes() {
    ProgramUnderTest program;
    program.setRig(plusRig({0, 15}));
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));

    QString error;
    const QVector<SimTraceEvent> events = program.trace(&error);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    QStringList plusDevices;
    for (int box = 0; box < kBoxCount; ++box)
        plusDevices << plusDevice(box);
    QStringList opened;
    QList<bool> openedOk;
    QHash<QString, QByteArray> firstWrite;
    for (const SimTraceEvent& event : events) {
        if (event.dir == QLatin1String("open") && plusDevices.contains(event.dev)) {
            opened << event.dev;
            openedOk << event.ok;
        }
        if (event.dir == QLatin1String("out") && !firstWrite.contains(event.dev))
            firstWrite.insert(event.dev, event.bytes);
        QVERIFY2(event.dev != simDeviceName(kVendor, kFirstPlusProduct + kBoxCount),
                 "the product id after the last box is not a controller");
    }
    QCOMPARE(opened, plusDevices);
    for (int box = 0; box < kBoxCount; ++box)
        QCOMPARE(openedOk.at(box), box == 0 || box == 15);

    QCOMPARE(firstWrite.value(plusDevice(0)).toHex(), probeReport().toHex());
    QCOMPARE(firstWrite.value(plusDevice(15)).toHex(), probeReport().toHex());

    const QStringList presence = QString::fromUtf8(program.readSettingsFile("ZynePlus.log"))
                                     .split(QLatin1Char('\n'))
                                     .filter(QStringLiteral("checkControllerStr:"));
    QVERIFY2(!presence.isEmpty(), "the log file lacks the presence string");
    QVERIFY2(presence.first().contains(QStringLiteral("1000000000000001")), qPrintable(presence.first()));

    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

void SpineTest::secondStartHandsOverToTheRunningInstance() {
    ProgramUnderTest first;
    first.setRig(plusRig({0}));
    QVERIFY2(first.startAndWaitUntilRunning(), qPrintable(first.diagnostics()));
    QVERIFY(first.logLines(QStringLiteral("8101")).isEmpty());

    const std::unique_ptr<ProgramUnderTest> second = first.sameUser();
    second->setRig(plusRig({0}));
    QVERIFY2(second->start(), qPrintable(second->diagnostics()));
    QVERIFY2(second->waitForExit() && second->exitedNormally(), qPrintable(second->diagnostics()));
    QCOMPARE(second->exitCode(), 0);
    QVERIFY2(second->standardError().contains(QStringLiteral("Main---Findddddddddd")),
             qPrintable(second->diagnostics()));
    QVERIFY2(second->standardError().contains(QStringLiteral("already running")),
             qPrintable(second->diagnostics()));

    // It touched no device and wrote nothing: no trace, no discovery, nothing in the shared log file.
    QVERIFY2(traceIsEmpty(*second), qPrintable(second->tracePath()));
    QVERIFY(!second->standardError().contains(QStringLiteral("getZynePlus")));
    const QByteArray logFile = first.readSettingsFile("ZynePlus.log");
    QVERIFY(logFile.contains("Main---Not Find"));
    QVERIFY(logFile.contains("FindWindow:::::::Main"));
    QVERIFY(!logFile.contains("Main---Findddddddddd"));

    QVERIFY2(first.waitUntil([&] { return !first.logLines(QStringLiteral("8101")).isEmpty(); }),
             qPrintable(first.diagnostics()));
    QVERIFY2(first.stop(), qPrintable(first.diagnostics()));
}

void SpineTest::fifoAsTheLogFileDoesNotHangTheStart() {
    ProgramUnderTest program;
    program.setRig(plusRig({0}));
    const QString log = program.settingsFolder() + QStringLiteral("/ZynePlus.log");
    QVERIFY(QDir().mkpath(program.settingsFolder()));
    QCOMPARE(::mkfifo(QFile::encodeName(log).constData(), 0600), 0);
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
    // A regular file took its place, and says what was there.
    QVERIFY(QFileInfo(log).isFile());
    QVERIFY(program.readSettingsFile("ZynePlus.log").contains("ZynePlus.log was a FIFO"));
}

void SpineTest::stderrHoldsWarningsUnlessRulesAskForMore() {
    ProgramUnderTest program;
    program.setLoggingRules(QString());
    QVERIFY2(program.start(), qPrintable(program.diagnostics()));
    QVERIFY2(
        program.waitUntil([&] { return program.readSettingsFile("ZynePlus.log").contains("started in"); }),
        qPrintable(program.diagnostics()));
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));

    const QString log = QString::fromUtf8(program.readSettingsFile("ZynePlus.log"));
    QVERIFY(log.contains(QStringLiteral("FindWindow:::::::Main")));
    QVERIFY(log.contains(QStringLiteral("checkControllerStr:")));
    const QStringList lines = program.standardError().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines)
        QVERIFY2(!line.contains(QStringLiteral(" debug: ")) && !line.contains(QStringLiteral(" info: ")),
                 qPrintable(line));
}

void SpineTest::badRigIsRefused_data() {
    QTest::addColumn<QByteArray>("rig"); // null: the rig file does not exist
    QTest::addColumn<QString>("problem");

    QTest::newRow("not JSON") << QByteArray(R"({"plus": [{"index": 0})") << QStringLiteral("invalid JSON");
    QTest::newRow("Plus index 16") << QByteArray(R"({"plus": [{"index": 16}]})")
                                   << QStringLiteral("plus[0].index");
    QTest::newRow("unknown behaviour") << QByteArray(R"({"plus": [{"index": 2, "behaviour": "smoking"}]})")
                                       << QStringLiteral("plus[0].behaviour");
    QTest::newRow("missing file") << QByteArray() << QStringLiteral("No such file");
}

void SpineTest::badRigIsRefused() {
    QFETCH(QByteArray, rig);
    QFETCH(QString, problem);

    ProgramUnderTest program;
    if (rig.isNull())
        program.setRigFile(program.settingsFolder() + QStringLiteral("/no-such-rig.json"));
    else
        program.setRigText(rig);
    QVERIFY2(program.start(), qPrintable(program.diagnostics()));
    QVERIFY2(program.waitForExit(), qPrintable(program.diagnostics()));
    QVERIFY2(program.exitedNormally() && program.exitCode() != 0, qPrintable(program.diagnostics()));

    const QStringList named = program.logLines(program.rigPath());
    QVERIFY2(!named.isEmpty(), qPrintable(program.diagnostics()));
    QVERIFY2(named.first().contains(problem), qPrintable(named.first()));
    QVERIFY2(traceIsEmpty(program), "a refused rig must not reach any device");
}

void SpineTest::controlSocketAnswers_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("unknown command") << QStringLiteral("frobnicate plus 0") << false;
    QTest::newRow("unknown device kind") << QStringLiteral("unplug toaster 0") << false;
    QTest::newRow("box out of range") << QStringLiteral("plug plus 16") << false;
    QTest::newRow("unplug a present box") << QStringLiteral("unplug plus 0") << true;
}

void SpineTest::controlSocketAnswers() {
    QFETCH(QString, command);
    QFETCH(bool, accepted);

    ProgramUnderTest program;
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    const QString answer = program.control(command);
    if (accepted)
        QCOMPARE(answer, QStringLiteral("ok"));
    else
        QVERIFY2(answer.startsWith(QStringLiteral("error: ")), qPrintable(answer));
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

void SpineTest::signalEndsTheProgramInOrder_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void SpineTest::signalEndsTheProgramInOrder() {
    QFETCH(int, signal);

    ProgramUnderTest program;
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    QVERIFY2(program.stop(signal), qPrintable(program.diagnostics()));
}

QTEST_MAIN(SpineTest)
#include "tst_spine.moc"
