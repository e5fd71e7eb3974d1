#include "ProgramUnderTest.h"

#include <QJsonArray>
#include <QtTest>

namespace {
// Frames the program sent the AWT chip whose command byte (frame byte 4) is `command`.
int framesWithCommand(const QVector<SimTraceEvent>& events, unsigned char command, int box = 0) {
    int count = 0;
    for (const auto& event : events) {
        if (event.dev == QLatin1String("c216:0102") && event.dir == QLatin1String("feature_out") &&
            event.bytes.size() >= 5 && static_cast<unsigned char>(event.bytes.at(3)) == 9 + box &&
            static_cast<unsigned char>(event.bytes.at(4)) == command)
            ++count;
    }
    return count;
}
} // namespace

class AwtSystemTest : public QObject {
    Q_OBJECT
private slots:
    void onlyAwtControllerIsFoundLitAndPolled();
};

void AwtSystemTest::onlyAwtControllerIsFoundLitAndPolled() {
    ProgramUnderTest program;
    program.setRig(QJsonObject{
        {QStringLiteral("awt"), QJsonObject{{QStringLiteral("boxes"), QJsonArray{1}},
                                            {QStringLiteral("rpm"), QJsonArray{1200, 900, 850}}}}});
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));

    // Found at start-up, lit (a fresh port is switched off: the dark 12-LED frame for ports 0..2),
    // selected because nothing else is plugged in, and polled.
    QString error;
    QVERIFY2(program.waitUntil([&] { return framesWithCommand(program.trace(&error), 0x5A, 1) >= 20; }),
             qPrintable(program.diagnostics()));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const auto events = program.trace(&error);
    QVERIFY(framesWithCommand(events, 0x21, 1) >= 1);
    QVERIFY(framesWithCommand(events, 0x22, 1) >= 1);
    QVERIFY(framesWithCommand(events, 0x24, 1) >= 1);
    QVERIFY(!program.logLines(QStringLiteral("selected AWT box 1")).isEmpty());
    QVERIFY2(program.waitForLog(QStringLiteral("receiveFanSpeed box:1, fan:1, rpm:900,")),
             qPrintable(program.diagnostics()));

    // A fan that stops is reported; the chip leaving closes its handle and the polling ends.
    QCOMPARE(program.control(QStringLiteral("rpm awt 1 2 0")), QStringLiteral("ok"));
    QVERIFY2(program.waitForLog(QStringLiteral("receiveFanSpeed box:1, fan:2, rpm:0,")),
             qPrintable(program.diagnostics()));
    QCOMPARE(program.control(QStringLiteral("unplug awt")), QStringLiteral("ok"));
    QVERIFY2(program.waitForLog(QStringLiteral("AWT box 1 is gone")), qPrintable(program.diagnostics()));
    const int pollsWhenGone = framesWithCommand(program.trace(&error), 0x5A, 1);
    QTest::qWait(500);
    QCOMPARE(framesWithCommand(program.trace(&error), 0x5A, 1), pollsWhenGone);
    QCOMPARE(program.logLines(QStringLiteral("AWT chip handle 0 closed")).size(), 1);

    // Plugged in again, it is found and polled again.
    QCOMPARE(program.control(QStringLiteral("plug awt")), QStringLiteral("ok"));
    QVERIFY2(program.waitUntil(
                 [&] { return program.logLines(QStringLiteral("AWT box 1 found on handle 0")).size() == 2; }),
             qPrintable(program.diagnostics()));
    QVERIFY2(program.waitUntil(
                 [&] { return framesWithCommand(program.trace(&error), 0x5A, 1) > pollsWhenGone + 5; }),
             qPrintable(program.diagnostics()));
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

QTEST_MAIN(AwtSystemTest)
#include "tst_awtsystem.moc"
