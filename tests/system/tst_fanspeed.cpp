#include "ProgramUnderTest.h"

#include <QJsonArray>
#include <QtTest>

namespace {
// Speed reads (33 51 port) the program wrote to box 0's controller.
int speedPolls(const QVector<SimTraceEvent>& events, int wirePort) {
    int polls = 0;
    for (const auto& event : events) {
        if (event.dev == QLatin1String("264a:1fa5") && event.dir == QLatin1String("out") &&
            event.bytes.size() == 65 && static_cast<unsigned char>(event.bytes.at(1)) == 0x33 &&
            static_cast<unsigned char>(event.bytes.at(2)) == 0x51 && event.bytes.at(3) == wirePort)
            ++polls;
    }
    return polls;
}
} // namespace

class FanSpeedSystemTest : public QObject {
    Q_OBJECT
private slots:
    void stalledFanIsReportedOnceWhilePollingGoesOn();
};

void FanSpeedSystemTest::stalledFanIsReportedOnceWhilePollingGoesOn() {
    ProgramUnderTest program;
    program.setRig(QJsonObject{
        {QStringLiteral("plus"),
         QJsonArray{QJsonObject{{QStringLiteral("index"), 0},
                                {QStringLiteral("rpm"), QJsonArray{1200, 0, 1200, 1200, 1200}}}}}});
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));

    QString error;
    QVERIFY2(program.waitUntil([&] { return speedPolls(program.trace(&error), 2) >= 5; }),
             qPrintable(program.diagnostics()));
    QVERIFY2(error.isEmpty(), qPrintable(error));

    QCOMPARE(program.logLines(QStringLiteral("receiveFanSpeed box:0, fan:1, rpm:0,")).size(), 1);
    // Reports reach the log when they change: the running fan twice however often it was polled,
    // the second time carrying the box's warning about its stalled neighbour.
    const QStringList running = program.logLines(QStringLiteral("receiveFanSpeed box:0, fan:0, rpm:1200,"));
    QCOMPARE(running.size(), 2);
    QVERIFY(running[0].endsWith(QStringLiteral("boxWarning:0")));
    QVERIFY(running[1].endsWith(QStringLiteral("boxWarning:1")));

    // Once the fan runs again it is reported like the others.
    QCOMPARE(program.control(QStringLiteral("rpm plus 0 1 800")), QStringLiteral("ok"));
    QVERIFY2(program.waitForLog(QStringLiteral("receiveFanSpeed box:0, fan:1, rpm:800,")),
             qPrintable(program.diagnostics()));
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

QTEST_MAIN(FanSpeedSystemTest)
#include "tst_fanspeed.moc"
