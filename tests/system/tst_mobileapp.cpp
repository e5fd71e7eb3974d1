// The real program on the simulated rig, driven by a mobile app over TCP, and linked to a stand-in
// for the power-supply companion application.
#include "MobileAppClient.h"
#include "ProgramUnderTest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
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

// The r[0..6] heads of the reports written to a device, as hex.
QStringList reportHeads(const ProgramUnderTest& program, const QString& device) {
    QString error;
    QStringList heads;
    for (const SimTraceEvent& event : program.trace(&error)) {
        if (event.dev == device && event.dir == QLatin1String("out"))
            heads << QString::fromLatin1(event.bytes.mid(1, 7).toHex());
    }
    return heads;
}

// The power-supply application's side: takes both engines' links and keeps what they send.
struct PowerSupplyApp {
    QTcpServer server;
    QList<QTcpSocket*> links;
    QByteArray received;

    bool acceptBoth() {
        return QTest::qWaitFor(
            [&] {
                while (QTcpSocket* link = server.nextPendingConnection())
                    links << link;
                return links.size() == 2;
            },
            ProgramUnderTest::kWaitMs);
    }
    void announce(const QByteArray& text) {
        for (QTcpSocket* link : links) {
            link->write(text);
            link->flush();
        }
    }
    // The decoded messages received so far.
    QList<QJsonObject> messages() {
        for (QTcpSocket* link : links)
            received += link->readAll();
        QList<QJsonObject> decoded;
        for (const QByteArray& part : received.split('&'))
            if (!part.isEmpty())
                decoded << QJsonDocument::fromJson(QByteArray::fromBase64(part)).object();
        return decoded;
    }
};

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
    void classicCommandsAndTheirPowerSupplySync();
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
    QVERIFY(!program.logLines("frame skipped: parse Error").isEmpty());
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
    PowerSupplyApp application;
    QVERIFY(application.server.listen(QHostAddress::LocalHost, 0));
    ProgramUnderTest program;
    program.setEnvironment(QStringLiteral("ZYNE_PSU_APP_PORT"),
                           QString::number(application.server.serverPort()));
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    // One link per engine.
    QVERIFY2(application.acceptBoth(), qPrintable(program.diagnostics()));
    application.announce("VxPower_12LED!v2&");
    QVERIFY2(program.waitForLog("ZynePlusCommandHelper----receiveSocketClient--powerType: 2"),
             qPrintable(program.diagnostics()));
    QVERIFY2(program.waitForLog("ZyneCommandHelper----receiveSocketClient--powerType: 2"),
             qPrintable(program.diagnostics()));
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

// A classic box alone at index 0 (so it is the shown box), synchronisation on, a power supply
// without a ring: the app's classic commands reach the box, its status comes back, and the classic
// engine tells the power-supply application what fan 1 shows.
void MobileAppSystemTest::classicCommandsAndTheirPowerSupplySync() {
    PowerSupplyApp application;
    QVERIFY(application.server.listen(QHostAddress::LocalHost, 0));
    ProgramUnderTest program;
    program.setRig(
        QJsonObject{{QStringLiteral("classic"), QJsonArray{QJsonObject{{QStringLiteral("index"), 0}}}}});
    QVERIFY(program.writeSettingsFile(QStringLiteral("Device.ini"), "[Main]\nisSyncPwrix=1\nisAutoRun=0\n"));
    program.setEnvironment(QStringLiteral("ZYNE_PSU_APP_PORT"),
                           QString::number(application.server.serverPort()));
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    QVERIFY2(application.acceptBoth(), qPrintable(program.diagnostics()));
    application.announce("VxPower&");
    QVERIFY2(program.waitForLog("ZyneCommandHelper----receiveSocketClient--powerType: 1"),
             qPrintable(program.diagnostics()));
    QVERIFY2(program.waitForLog("Listening: true"), qPrintable(program.diagnostics()));
    App app;
    QVERIFY2(app.connectTo(program.mobilePort()), qPrintable(program.diagnostics()));

    // Lighting reports only: the speed polls of the shown box run in between.
    const auto lighting = [&] {
        return reportHeads(program, QStringLiteral("264a:1f41")).filter(QRegularExpression("^3252"));
    };
    const int before = lighting().size();
    // Colour at half brightness on fans 1 and 2, then blink on fan 3, then the music level.
    app.send(frame(R"({"command":2,"DeviceType":0,"Data":{"BoxNum":"1000000000000000","FanNum":"110",
        "RColor":200,"GColor":100,"BColor":50,"Bright":0.5,"LightMode":0,"isTurnOff":0}})") +
             frame(R"({"command":1,"DeviceType":"0","Data":{"BoxNum":"1000000000000000","FanNum":"001",
        "LightMode":2,"isTurnOff":0}})") +
             frame("08 85"));
    QVERIFY2(program.waitUntil([&] {
        return lighting().mid(before).indexOf("32520200643219") >= 0 && !lighting().last().endsWith("643219");
    }),
             qPrintable(program.diagnostics()));
    // Whatever start-up still lit came before; the app's three reports are the last, in order.
    const QStringList written = lighting().mid(before);
    QVERIFY(written.size() >= 3);
    QCOMPARE(written.mid(written.size() - 3, 2), (QStringList{"32520100643219", "32520200643219"}));
    QVERIFY2(written.last().startsWith("32520302"), qPrintable(written.last()));
    QVERIFY2(program.waitForLog("receiveMobileVolume 85"), qPrintable(program.diagnostics()));

    app.send(frame(R"({"command":15,"DeviceType":0,"Data":{"BoxNum":"1000000000000000"}})"));
    const QJsonObject status = app.reply();
    QCOMPARE(status.value("ResType").toInt(), 15);
    QCOMPARE(status.value("DeviceType").toInt(), 0);
    QCOMPARE(status.value("Fan2").toObject().value("RColor").toString(), QString("200"));
    QCOMPARE(status.value("Fan2").toObject().value("Bright").toString(), QString("0.5"));
    QCOMPARE(status.value("Fan3").toObject().value("lightMode").toInt(), 2);

    // Fan 1's colour (brightness in percent) and its light mode (classic 0 is the application's 1).
    const QJsonObject colour{
        {"command", "3"},
        {"Data", QJsonObject{{"rColor", "200"}, {"gColor", "100"}, {"bColor", "50"}, {"Brightness", "50"}}}};
    const QJsonObject mode{{"command", "2"}, {"Data", QJsonObject{{"LightMode", "1"}}}};
    QVERIFY2(
        QTest::qWaitFor([&] { return application.messages().contains(colour); }, ProgramUnderTest::kWaitMs),
        qPrintable(program.diagnostics()));
    QVERIFY(application.messages().contains(mode));
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

QTEST_MAIN(MobileAppSystemTest)
#include "tst_mobileapp.moc"
