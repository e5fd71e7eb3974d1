// The real program on the simulated rig, driven by a mobile app over TCP, and linked to a stand-in
// for the power-supply companion application.
#include "MobileAppClient.h"
#include "ProgramUnderTest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {
using App = MobileAppClient;

QByteArray frame(const QByteArray& json) {
    return MobileAppClient::frame(json);
}

// Lighting reports to Plus box 0 as "port:mode byte".
QStringList lighting(const ProgramUnderTest& program) {
    QString error;
    QStringList reports;
    for (const SimTraceEvent& event : program.trace(&error)) {
        if (event.dev == QLatin1String("264a:1fa5") && event.dir == QLatin1String("out") &&
            event.bytes.startsWith(QByteArray("\x00\x32\x52", 3)))
            reports << QStringLiteral("%1:%2").arg(int(event.bytes.at(3))).arg(int(event.bytes.at(4)));
    }
    return reports;
}

QJsonObject plusRig() {
    return QJsonObject{{QStringLiteral("plus"), QJsonArray{QJsonObject{{QStringLiteral("index"), 0}}}}};
}
} // namespace

class MobileAppSystemTest : public QObject {
    Q_OBJECT
private slots:
    void appDrivesTheControllers();
    void serverCanBeLimitedOrOff();
    void powerSupplyAppAnnouncesItsType();
};

void MobileAppSystemTest::appDrivesTheControllers() {
    ProgramUnderTest program;
    program.setRig(plusRig());
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    QVERIFY2(program.waitForLog("Listening: true"), qPrintable(program.diagnostics()));
    App app;
    QVERIFY2(app.connectTo(program.mobilePort()), qPrintable(program.diagnostics()));

    app.send(frame(R"({"command":10})"));
    const QJsonObject boxes = app.reply();
    QCOMPARE(boxes.value("ResType").toInt(), 10);
    QCOMPARE(boxes.value("BoxNumStr").toString(), QString("1000000000000000"));

    const int before = lighting(program).size();
    // Garbage first, then Blink at speed 2 on ports 1 and 3, cut in two.
    const QByteArray blink = frame(R"({"command":0,"Data":{"BoxNum":"1000000000000000","FanNum":"10100",
        "LightMode":3,"ColorMode":0,"Speed":2}})");
    app.send("!!!&" + frame("[]") + blink.left(20));
    QTest::qWait(100);
    app.send(blink.mid(20));
    QVERIFY2(program.waitUntil([&] { return lighting(program).size() >= before + 2; }),
             qPrintable(program.diagnostics()));
    QCOMPARE(lighting(program).mid(before), (QStringList{"1:14", "3:14"}));

    app.send(frame(R"({"command":9})"));
    const QJsonObject devices = app.reply();
    QCOMPARE(devices.value("ResType").toInt(), 9);
    QCOMPARE(devices.value("Box1").toObject().value("boxType").toString(), QString("1"));
    QCOMPARE(devices.value("Box2").toObject().value("boxType").toString(), QString("0"));

    app.send(frame(R"({"command":15,"Data":{"BoxNum":"1000000000000000"}})"));
    const QJsonObject profile = app.reply();
    QCOMPARE(profile.value("ResType").toInt(), 15);
    QCOMPARE(profile.value("Fan1").toObject().value("lightMode").toInt(), 3);
    QCOMPARE(profile.value("Fan1").toObject().value("lightSpeed").toInt(), 2);
    QVERIFY(!program.logLines("frame skipped: not Base64").isEmpty());
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

void MobileAppSystemTest::serverCanBeLimitedOrOff() {
    ProgramUnderTest off;
    QVERIFY(off.writeSettingsFile(QStringLiteral("Device.ini"), "[Main]\nMobileServer=0\n"));
    QVERIFY2(off.startAndWaitUntilRunning(), qPrintable(off.diagnostics()));
    QVERIFY(!off.logLines("Listening: off").isEmpty());
    QCOMPARE(off.mobilePort(), quint16(0));
    QVERIFY2(off.stop(), qPrintable(off.diagnostics()));

    ProgramUnderTest loopback;
    QVERIFY(loopback.writeSettingsFile(QStringLiteral("Device.ini"), "[Main]\nMobileServer=2\n"));
    QVERIFY2(loopback.startAndWaitUntilRunning(), qPrintable(loopback.diagnostics()));
    const QStringList listening = loopback.logLines("Listening: true");
    QVERIFY(!listening.isEmpty());
    for (const QString& line : listening)
        QVERIFY2(line.contains("127.0.0.1") || line.contains("::1"), qPrintable(line));
    App app;
    QVERIFY(app.connectTo(loopback.mobilePort()));
    QVERIFY2(loopback.stop(), qPrintable(loopback.diagnostics()));
}

void MobileAppSystemTest::powerSupplyAppAnnouncesItsType() {
    QTcpServer application;
    QVERIFY(application.listen(QHostAddress::LocalHost, 0));
    ProgramUnderTest program;
    program.setEnvironment(QStringLiteral("ZYNE_PSU_APP_PORT"), QString::number(application.serverPort()));
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    QVERIFY(QTest::qWaitFor([&] { return application.hasPendingConnections(); }, ProgramUnderTest::kWaitMs));
    QTcpSocket* link = application.nextPendingConnection();
    link->write("VxPower_12LED!v2&");
    link->flush();
    QVERIFY2(program.waitForLog("ZynePlusCommandHelper----receiveSocketClient--powerType: 2"),
             qPrintable(program.diagnostics()));
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

QTEST_MAIN(MobileAppSystemTest)
#include "tst_mobileapp.moc"
