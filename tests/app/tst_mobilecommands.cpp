// The main window's handling of the mobile app's commands: the signals the views use, the reports
// that reach the simulated controllers, and the replies on the app's connection.
#include "EngineRig.h"
#include "MainView.h"
#include "MobileAppClient.h"
#include "MobileViewRedraw.h"
#include "RainbowFan.h"
#include "WindowSettle.h"
#include "ZynePlusCommandHelper.h"

#include <QSignalSpy>
#include <QSlider>

using namespace zyne;
using zyne::testing::EngineRig;
using zyne::testing::reportByte;

namespace {
using App = zyne::testing::MobileAppClient;
using zyne::testing::command;
using zyne::testing::kAppWaitMs;

// Lighting reports (32 52 port ...) written to a box, as "port:mode byte".
QStringList lighting(const EngineRig& rig, int box) {
    QStringList reports;
    for (const QByteArray& report : rig.reportsTo(box)) {
        if (reportByte(report, 0) == 0x32 && reportByte(report, 1) == 0x52)
            reports << QStringLiteral("%1:%2").arg(reportByte(report, 2)).arg(reportByte(report, 3));
    }
    return reports;
}
} // namespace

class MobileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void lightModeReachesTheSelectedPortsOnly();
    void fanTypeFilter();
    void badCommandsChangeNothing();
    void deviceListAndProfileReplies();
    void colourBrightnessAndSwitches();
    void voiceCommands();
    void musicLevelFromTheApp();
    void defaultsOnlyForTheShownBox();
    void savedProfileAndBrightnessShownInTheMainView();
};

void MobileCommandsTest::lightModeReachesTheSelectedPortsOnly() {
    EngineRig rig(R"({"plus": [{"index": 0}, {"index": 1}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QSignalSpy changes(&window, &VxZyneRainbow::changeLight);
    zyne::testing::settle(*window.plusEngine());
    rig.forget();
    // Slot 1 ports 1 and 3; slot 3 holds nothing.
    window.socketHelperReceiveData(command(R"({"command":0,"Data":{"BoxNum":"0101000000000000",
        "FanNum":"10100","LightMode":3,"ColorMode":0,"Speed":2}})"));
    QCOMPARE(changes.count(), 2);
    QCOMPARE(changes.at(0), (QList<QVariant>{1, 0, 3, 0, 2, false}));
    QCOMPARE(changes.at(1), (QList<QVariant>{1, 2, 3, 0, 2, false}));
    // Blink at speed 2 (12 + 2) on ports 1 and 3 of box 1, nothing on box 0.
    zyne::testing::settle(*window.plusEngine());
    QCOMPARE(lighting(rig, 1), (QStringList{"1:14", "3:14"}));
    zyne::testing::settle(*window.plusEngine());
    QVERIFY(lighting(rig, 0).isEmpty());
}

void MobileCommandsTest::fanTypeFilter() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    window.plusEngine()->fanRecord(0, 1).FanType = 1;
    QSignalSpy changes(&window, &VxZyneRainbow::changeLight);
    const QByteArray head = R"({"command":2,"Data":{"BoxNum":"1000000000000000","FanNum":"11111",
        "LightMode":1,"ColorMode":0,"Speed":0)";
    window.socketHelperReceiveData(command(head + R"(,"FanType":"1"}})"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.takeFirst().at(1).toInt(), 1);
    for (const QByteArray& notOne : QList<QByteArray>{R"(,"FanType":"0"}})", "}}"}) {
        window.socketHelperReceiveData(command(head + notOne));
        QCOMPARE(changes.count(), 4);
        for (const auto& change : changes)
            QVERIFY(change.at(1).toInt() != 1);
        changes.clear();
    }
    // Command 0 takes no filter.
    window.socketHelperReceiveData(command(
        R"({"command":0,"Data":{"BoxNum":"1000000000000000","FanNum":"11111","LightMode":1,"ColorMode":0,"Speed":0}})"));
    QCOMPARE(changes.count(), 5);
}

void MobileCommandsTest::badCommandsChangeNothing() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QSignalSpy changes(&window, &VxZyneRainbow::changeLight);
    QSignalSpy saves(&window, &VxZyneRainbow::sendSaveProfile);
    zyne::testing::settle(*window.plusEngine());
    rig.forget();
    const QByteArray masks = R"("BoxNum":"1000000000000000","FanNum":"11111")";
    for (
        const QByteArray& json : QList<QByteArray>{
            R"({"command":0,"Data":{)" + masks + R"(,"LightMode":99,"ColorMode":0,"Speed":0}})",
            R"({"command":0,"Data":{)" + masks + R"(,"LightMode":1,"ColorMode":0,"Speed":1e12}})",
            R"({"command":0,"Data":{"BoxNum":"1","FanNum":"11111","LightMode":1,"ColorMode":0,"Speed":0}})",
            R"({"command":0,"Data":{"BoxNum":"100000000000000010","FanNum":"11111","LightMode":1,"ColorMode":0,"Speed":0}})",
            R"({"command":0,"Data":{)" + masks + R"(,"LightMode":[1],"ColorMode":0,"Speed":0}})",
            R"({"command":12,"Data":{)" + masks + R"(,"Profile":0}})",
            R"({"command":"twelve","Data":{)" + masks + R"(,"Profile":1}})",
        }) {
        window.socketHelperReceiveData(command(json));
    }
    QCOMPARE(changes.count(), 0);
    QCOMPARE(saves.count(), 0);
    zyne::testing::settle(*window.plusEngine());
    QVERIFY(lighting(rig, 0).isEmpty());
}

void MobileCommandsTest::deviceListAndProfileReplies() {
    {
        EngineRig rig("{}");
        VxZyneRainbow window;
        QVERIFY(zyne::testing::settleWindow(window));
        App app;
        QVERIFY(app.connectTo(window));
        window.socketHelperReceiveData(command(R"({"command":9})"));
        const QJsonObject list = app.reply();
        QCOMPARE(list.value("ResType").toInt(), 9);
        for (int box = 1; box <= 16; ++box)
            QCOMPARE(list.value(QStringLiteral("Box%1").arg(box)).toObject().value("boxType").toString(),
                     QString("0"));
        // Profiles of boxes that are not there: no answer.
        window.socketHelperReceiveData(command(R"({"command":15,"Data":{"BoxNum":"1111111111111111"}})"));
        // The device list reads no Data key: whatever the app left in there, it is answered.
        window.socketHelperReceiveData(command(R"({"command":9,"Data":{"BoxNum":"1","Profile":0}})"));
        QCOMPARE(app.reply().value("ResType").toInt(), 9);
    }
    EngineRig rig(R"({"plus": [{"index": 2}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    App app;
    QVERIFY(app.connectTo(window));
    QSignalSpy selects(&window, &VxZyneRainbow::sendSelectProfile);
    window.socketHelperReceiveData(
        command(R"({"command":14,"Data":{"BoxNum":"1010000000000000","Profile":3}})"));
    QCOMPARE(selects.count(), 1);
    QCOMPARE(selects.at(0), (QList<QVariant>{2, 3}));
    const QJsonObject profile = app.reply();
    QCOMPARE(profile.value("ResType").toInt(), 15);
    QCOMPARE(profile.value("Profile").toInt(), window.plusEngine()->box(2).currentProfile);
    QCOMPARE(profile.value("Fan1").toObject().value("lightMode").toInt(),
             window.plusEngine()->box(2).rainbowFan[0].lightMode);
    QVERIFY(!profile.value("Fan1").toObject().contains("isOpenFan"));
    window.socketHelperReceiveData(
        command(R"({"command":15,"Data":{"BoxNum":"0010000000000000","Profile":0}})"));
    QCOMPARE(app.reply().value("Fan1").toObject().value("isOpenFan").toString(), QString("11111"));
}

void MobileCommandsTest::colourBrightnessAndSwitches() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QSignalSpy colours(&window, &VxZyneRainbow::sendAPPRGBDataToCommand);
    QSignalSpy brightness(&window, &VxZyneRainbow::sendPlusBrighr);
    QSignalSpy switches(&window, &VxZyneRainbow::sendTurnLed);
    QSignalSpy redraws(&window, &VxZyneRainbow::sendViewRequest);
    const QByteArray masks = R"("BoxNum":"1000000000000000","FanNum":"01000")";

    window.socketHelperReceiveData(command(R"({"command":1,"Data":{)" + masks +
                                           R"(,"RColor":9,"GColor":8,"BColor":7,"LED1":"100000000001"}})"));
    QCOMPARE(colours.count(), 1);
    QCOMPARE(colours.at(0), (QList<QVariant>{0, 9, 8, 7, 1.0f, 1, QString("100000000001")}));
    QVERIFY(redraws.wait(kAppWaitMs));
    redraws.clear();

    // Single-colour brightness: entry 12 becomes 0.5, the 12 LEDs keep their values.
    auto& port = window.plusEngine()->fanRecord(0, 1);
    port.Bright.fill(0.25f);
    window.socketHelperReceiveData(
        command(R"({"command":4,"Data":{)" + masks + R"(,"Bright":5,"ColorMode":1}})"));
    QCOMPARE(brightness.count(), 1);
    QStringList expected;
    for (int led = 0; led < 12; ++led)
        expected << "0.25";
    QCOMPARE(brightness.at(0).at(2).toStringList(), expected << "0.5");
    QCOMPARE(port.Bright[12], 0.5f);
    QCOMPARE(port.Bright[0], 0.25f);
    // Per LED: only the chosen ones.
    window.socketHelperReceiveData(command(R"({"command":16,"Data":{)" + masks +
                                           R"(,"Bright":10,"ColorMode":0,"LED1":"010000000000"}})"));
    QCOMPARE(port.Bright[1], 1.0f);
    QCOMPARE(port.Bright[0], 0.25f);

    port.isTurnOffLed = false;
    window.socketHelperReceiveData(command(R"({"command":11,"Data":{)" + masks + R"(,"Status":1}})"));
    QCOMPARE(switches.count(), 1);
    QCOMPARE(switches.at(0), (QList<QVariant>{0, 1, 1}));
    QVERIFY(port.isTurnOffLed);
    // The three commands for the shown box: one redraw after the last.
    QCOMPARE(redraws.count(), 0);
    QVERIFY(redraws.wait(kAppWaitMs));
    QTest::qWait(3 * MobileViewRedraw::kIntervalMs);
    QCOMPARE(redraws.count(), 1);

    // A command the app has and this program does not: only a redraw.
    redraws.clear();
    window.socketHelperReceiveData(command(R"({"command":42})"));
    QVERIFY(redraws.wait(kAppWaitMs));
}

void MobileCommandsTest::voiceCommands() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    App app;
    QVERIFY(app.connectTo(window));
    QSignalSpy speeds(&window, &VxZyneRainbow::sendSpeechFanSpeed);
    QSignalSpy modes(&window, &VxZyneRainbow::sendSpeechMode);
    QSignalSpy colours(&window, &VxZyneRainbow::sendSpeechColor);
    window.socketHelperReceiveData(command(R"({"command":19,"Data":{}})"));
    QCOMPARE(app.reply().value("isSuccess").toInt(), 0);
    // Refused requests are answered too, with nothing sent.
    for (const QByteArray& refused : {QByteArray(R"({"command":19,"Data":{"Rainbow":2}})"),
                                      QByteArray(R"({"command":19,"Data":{"Bright":0.5,"FanSpeed":50}})"),
                                      QByteArray(R"({"command":18,"Data":{"Voice":7}})")}) {
        window.socketHelperReceiveData(command(refused));
        const QJsonObject reply = app.reply();
        QCOMPARE(reply.value("ResType").toInt(), command(refused).value("command").toInt());
        QCOMPARE(reply.value("isSuccess").toInt(), 0);
    }
    QCOMPARE(speeds.count() + modes.count() + colours.count(), 0);
    window.socketHelperReceiveData(
        command(R"({"command":19,"Data":{"FanSpeed":70,"LightMode":2,"Bright":50}})"));
    QCOMPARE(app.reply().value("isSuccess").toInt(), 1);
    QCOMPARE(speeds.count(), 1);
    QCOMPARE(speeds.at(0).at(0).toInt(), 70);
    QCOMPARE(modes.count(), 1);
    QCOMPARE(modes.at(0), (QList<QVariant>{2, -1, -1, false, -1}));
    QCOMPARE(colours.count(), 1);
    QCOMPARE(colours.at(0).at(3).toFloat(), 0.5f);
    QCOMPARE(colours.at(0).at(0).toInt(), -1);
}

void MobileCommandsTest::musicLevelFromTheApp() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    App app;
    QVERIFY(app.connectTo(window));
    QSignalSpy levels(&window, &VxZyneRainbow::sendMobileVolume);
    QSignalSpy changes(&window, &VxZyneRainbow::changeLight);
    // The app's short texts: a level, then stop.
    app.send("07 85");
    QVERIFY(levels.wait(kAppWaitMs));
    QCOMPARE(levels.at(0).at(0).toInt(), 85);
    app.send("07 @@");
    app.send(R"({"command":9})");
    QCOMPARE(app.reply().value("ResType").toInt(), 9);
    QCOMPARE(levels.count(), 1);
    QCOMPARE(changes.count(), 0);

    // With ports: the level, then music mode 11 + MusicMode on each.
    window.socketHelperReceiveData(command(R"({"command":7,"Data":{"BoxNum":"1000000000000000",
        "FanNum":"00011","Status":"1","Volume":"40","ColorMode":1,"MusicMode":2}})"));
    QCOMPARE(levels.count(), 2);
    QCOMPARE(levels.at(1).at(0).toInt(), 40);
    QCOMPARE(changes.count(), 2);
    QCOMPARE(changes.at(0), (QList<QVariant>{0, 3, 13, 1, 0, false}));
    QCOMPARE(changes.at(1), (QList<QVariant>{0, 4, 13, 1, 0, false}));
}

void MobileCommandsTest::defaultsOnlyForTheShownBox() {
    EngineRig rig(R"({"plus": [{"index": 0}, {"index": 1}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QCOMPARE(window.mainView()->selectedBox(), 0);
    QSignalSpy defaults(&window, &VxZyneRainbow::sendDefault);
    auto& port = window.plusEngine()->fanRecord(0, 1);
    port.RColor.fill(9);
    port.Bright.fill(0.2f);
    port.colorMode = 0;
    port.lightSpeed = 0;
    zyne::testing::settle(*window.plusEngine());
    rig.forget();

    window.socketHelperReceiveData(command(R"({"command":8,"Data":{"BoxNum":"1100000000000000",
        "FanNum":"01000","LightMode":3}})"));
    QCOMPARE(defaults.count(), 1);
    QCOMPARE(defaults.at(0), (QList<QVariant>{0, 1}));
    const RainbowFanState wheel;
    QCOMPARE(port.RColor, wheel.RColor);
    QCOMPARE(port.Bright[0], 1.0f);
    QCOMPARE(port.Bright[12], 1.0f);
    QCOMPARE(port.lightMode, 3);
    QCOMPARE(port.lightSpeed, 2);
    // Blink at speed 2, written with the wheel: LED 1 is azure (green 127, red 0, blue 255).
    zyne::testing::settle(*window.plusEngine());
    const auto reports = rig.reportsTo(0);
    zyne::testing::settle(*window.plusEngine());
    QCOMPARE(lighting(rig, 0), QStringList{"2:14"});
    const auto written = std::find_if(reports.begin(), reports.end(), [](const QByteArray& r) {
        return reportByte(r, 0) == 0x32 && reportByte(r, 1) == 0x52;
    });
    QCOMPARE(QByteArray(written->mid(5, 3)).toHex(), QByteArray("7f00ff"));
    zyne::testing::settle(*window.plusEngine());
    QVERIFY(lighting(rig, 1).isEmpty());

    // Another box than the shown one: nothing.
    window.socketHelperReceiveData(command(R"({"command":8,"Data":{"BoxNum":"0100000000000000",
        "FanNum":"11111","LightMode":3}})"));
    QCOMPARE(defaults.count(), 1);
    zyne::testing::settle(*window.plusEngine());
    QVERIFY(lighting(rig, 1).isEmpty());
}

void MobileCommandsTest::savedProfileAndBrightnessShownInTheMainView() {
    EngineRig rig(R"({"plus": [{"index": 0}, {"index": 1}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QSignalSpy saves(&window, &VxZyneRainbow::sendSaveProfile);
    window.socketHelperReceiveData(
        command(R"({"command":12,"Data":{"BoxNum":"0100000000000000","Profile":4}})"));
    QCOMPARE(saves.count(), 1);
    QCOMPARE(window.currentProfile(), 1);
    window.socketHelperReceiveData(
        command(R"({"command":12,"Data":{"BoxNum":"1000000000000000","Profile":3}})"));
    QCOMPARE(saves.count(), 2);
    QCOMPARE(saves.at(1), (QList<QVariant>{0, 3}));
    QCOMPARE(window.mainView()->selectedProfile(), 3);
    QCOMPARE(window.currentProfile(), 3);

    // The shown port's brightness slider follows the app.
    window.plusEngine()->fanRecord(0, 2).colorMode = 1;
    window.socketHelperReceiveData(command(R"({"command":4,"Data":{"BoxNum":"1000000000000000",
        "FanNum":"00100","Bright":4,"ColorMode":1}})"));
    auto* slider = window.mainView()->plusView(2)->findChild<QSlider*>(QStringLiteral("slider_Light"));
    QVERIFY(slider);
    QTRY_COMPARE_WITH_TIMEOUT(slider->value(), 4, kAppWaitMs);
}

QTEST_MAIN(MobileCommandsTest)
#include "tst_mobilecommands.moc"
