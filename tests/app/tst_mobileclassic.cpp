// The mobile app's classic commands (DeviceType 0), through the main window into the classic
// engine on its own thread: the reports the simulated classic boxes record and the status reply.
#include "EngineRig.h"
#include "MobileAppClient.h"
#include "MobileViewRedraw.h"
#include "SettingsFolder.h"
#include "WindowSettle.h"

#include <QFile>
#include <QSignalSpy>
#include <QTimer>

using namespace zyne;
using zyne::testing::command;
using zyne::testing::EngineRig;
using zyne::testing::MobileAppClient;

namespace {
// r[0..6] of every report written to a classic box since the last forget(), as hex.
QStringList heads(const EngineRig& rig, int box) {
    QStringList out;
    for (const QByteArray& report : rig.classicReportsTo(box))
        out << QString::fromLatin1(report.mid(1, 7).toHex());
    return out;
}

// Waits until the classic engine wrote this many reports to the box.
bool waitForReports(const EngineRig& rig, int box, int count) {
    return QTest::qWaitFor([&] { return heads(rig, box).size() >= count; }, zyne::testing::kAppWaitMs);
}

QByteArray classic(int command, const QByteArray& data) {
    return R"({"command":)" + QByteArray::number(command) + R"(,"DeviceType":0,"Data":{)" + data + "}}";
}
} // namespace

class MobileClassicTest : public QObject {
    Q_OBJECT
private slots:
    void lightingAndFanSpeedReachTheAddressedFans();
    void statusProfilesAndSave();
    void musicLevelAndMode();
    void badOrUnaddressedCommandsChangeNothing();
};

void MobileClassicTest::lightingAndFanSpeedReachTheAddressedFans() {
    EngineRig rig(R"({"plus": [{"index": 0}], "classic": [{"index": 2}, {"index": 3}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QSignalSpy redraws(&window, &VxZyneRainbow::sendResetViewRequest);
    QVERIFY(waitForReports(rig, 2, 1)); // lit from its profile at start
    zyne::testing::settle(*window.plusEngine());
    rig.forget();

    // Colour at half brightness, steady, on fans 1 and 3 of box 2; box 3 is not addressed.
    window.socketHelperReceiveData(command(classic(2, R"("BoxNum":"0010000000000000","FanNum":"101",
        "RColor":200,"GColor":100,"BColor":51,"Bright":0.5,"LightMode":0,"isTurnOff":0)")));
    QVERIFY(waitForReports(rig, 2, 2));
    QCOMPARE(heads(rig, 2), (QStringList{"32520100643219", "32520300643219"}));
    QTRY_COMPARE_WITH_TIMEOUT(redraws.count(), 1, zyne::testing::kAppWaitMs);
    redraws.clear();

    // Off the temperature curve, fan 2 takes level 3 (60 %); then the controller's colour cycle
    // and turn-off.
    emit window.sendZyneSwitchPWM(2, 1, false);
    QVERIFY(QTest::qWaitFor([&] { return heads(rig, 2).size() == 3; }, zyne::testing::kAppWaitMs));
    zyne::testing::settle(*window.plusEngine());
    rig.forget();
    window.socketHelperReceiveData(
        command(classic(6, R"("BoxNum":"0010000000000000","FanNum":"010","FanSpeed":3)")));
    window.socketHelperReceiveData(
        command(classic(1, R"("BoxNum":"0010000000000000","FanNum":"100","LightMode":1,"isTurnOff":0)")));
    window.socketHelperReceiveData(
        command(classic(4, R"("BoxNum":"0010000000000000","FanNum":"001","LightMode":0,"isTurnOff":1)")));
    QVERIFY(waitForReports(rig, 2, 3));
    QCOMPARE(heads(rig, 2), (QStringList{"325102033c0000", "32520101000000", "32520300000000"}));
    QVERIFY(heads(rig, 3).isEmpty());
    // The three commands, sent together, are redrawn once.
    QTRY_COMPARE_WITH_TIMEOUT(redraws.count(), 1, zyne::testing::kAppWaitMs);
    QTest::qWait(3 * MobileViewRedraw::kIntervalMs);
    QCOMPARE(redraws.count(), 1);
}

void MobileClassicTest::statusProfilesAndSave() {
    EngineRig rig(R"({"classic": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    MobileAppClient app;
    QVERIFY(app.connectTo(window));
    QSignalSpy selects(&window, &VxZyneRainbow::sendSelectZyneProfile);
    QSignalSpy saves(&window, &VxZyneRainbow::sendSaveZyne);

    window.socketHelperReceiveData(command(classic(2, R"("BoxNum":"1000000000000000","FanNum":"010",
        "RColor":1,"GColor":2,"BColor":3,"Bright":"0.25","LightMode":2,"isTurnOff":0)")));
    window.socketHelperReceiveData(
        command(classic(6, R"("BoxNum":"1000000000000000","FanNum":"010","FanSpeed":5)")));
    // Read back on the engine's thread after the two commands before it.
    window.socketHelperReceiveData(command(classic(15, R"("BoxNum":"1000000000000000")")));
    const QJsonObject status = app.reply();
    QCOMPARE(status.value("ResType").toInt(), 15);
    QCOMPARE(status.value("DeviceType").toInt(), 0);
    QCOMPARE(status.value("Profile").toInt(), 1);
    const QJsonObject fan2 = status.value("Fan2").toObject();
    QCOMPARE(fan2.value("RColor").toString(), QString("1"));
    QCOMPARE(fan2.value("BColor").toString(), QString("3"));
    QCOMPARE(fan2.value("Bright").toString(), QString("0.25"));
    QCOMPARE(fan2.value("lightMode").toInt(), 2);
    QCOMPARE(fan2.value("fanSpeed").toInt(), 5);
    QCOMPARE(fan2.value("fanSpeedMode").toInt(), 2);
    QVERIFY(status.value("Fan1").toObject().value("isOpenFan").toBool());

    window.socketHelperReceiveData(command(classic(9, R"("BoxNum":"1100000000000000","Profile":4)")));
    QCOMPARE(selects.count(), 1);
    QCOMPARE(selects.at(0), (QList<QVariant>{0, 4}));

    // Saved under the profile the main view shows, for the shown box.
    window.setCurrentProfile(3);
    window.socketHelperReceiveData(command(R"({"command":5,"DeviceType":"0"})"));
    QCOMPARE(saves.count(), 1);
    QCOMPARE(saves.at(0), (QList<QVariant>{0, 3}));
    window.socketHelperReceiveData(command(classic(15, R"("BoxNum":"1000000000000000")")));
    QCOMPARE(app.reply().value("Profile").toInt(), 3);
    QVERIFY(QFile::exists(classicProfilePath(rig.settingsFolder(), 3)));
}

void MobileClassicTest::musicLevelAndMode() {
    EngineRig rig(R"({"classic": [{"index": 1}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    MobileAppClient app;
    QVERIFY(app.connectTo(window));
    QSignalSpy levels(&window, &VxZyneRainbow::sendZyneMobileVolume);
    app.send("08 85");
    QVERIFY(levels.wait(zyne::testing::kAppWaitMs));
    QCOMPARE(levels.at(0).at(0).toInt(), 85);

    // Music mode on fan 3: the classic music timer runs and frames reach the fan.
    zyne::testing::settle(*window.plusEngine());
    rig.forget();
    window.socketHelperReceiveData(command(classic(7, R"("BoxNum":"0100000000000000","FanNum":"001",
        "Status":1,"Volume":100,"LightMode":7,"Bright":1,"RColor":0,"GColor":255,"BColor":0)")));
    QCOMPARE(levels.count(), 2);
    auto* timer = window.findChild<QTimer*>(QStringLiteral("zyneMusicTimer"));
    QVERIFY(timer);
    QVERIFY(QTest::qWaitFor([&] { return timer->isActive(); }, zyne::testing::kAppWaitMs));
    QVERIFY(QTest::qWaitFor(
        [&] {
            const QStringList written = heads(rig, 1);
            return std::any_of(written.begin(), written.end(), [](const QString& h) {
                return h.startsWith(QLatin1String("325203")) && h != QLatin1String("32520300000000");
            });
        },
        zyne::testing::kAppWaitMs));
}

void MobileClassicTest::badOrUnaddressedCommandsChangeNothing() {
    EngineRig rig(R"({"classic": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QSignalSpy lights(&window, &VxZyneRainbow::sendZyneChangeLight);
    QSignalSpy speeds(&window, &VxZyneRainbow::sendChangeFanSpeed);
    QSignalSpy redraws(&window, &VxZyneRainbow::sendResetViewRequest);
    const QByteArray colour = R"("RColor":1,"GColor":2,"BColor":3,"LightMode":0,"isTurnOff":0)";
    for (const QByteArray& json : QList<QByteArray>{
             classic(2, R"("BoxNum":"1000000000000000","FanNum":"111","Bright":5,)" + colour),
             classic(2, R"("BoxNum":"1000000000000000","FanNum":"111","Bright":"NaN",)" + colour),
             classic(2, R"("BoxNum":"1000000000000000","FanNum":"111",)" + colour),
             classic(6, R"("BoxNum":"1000000000000000","FanNum":"111","FanSpeed":6)"),
             classic(6, R"("BoxNum":"1000000000000000","FanNum":"11","FanSpeed":1)"),
             classic(1, R"("BoxNum":"1000000000000000","FanNum":"1x1","LightMode":1,"isTurnOff":0)"),
             // Box 1 holds nothing; the Plus set does not reach classic boxes.
             classic(1, R"("BoxNum":"0100000000000000","FanNum":"111","LightMode":1,"isTurnOff":0)"),
             QByteArray(R"({"command":0,"Data":{"BoxNum":"1000000000000000","FanNum":"11111",
                 "LightMode":1,"ColorMode":0,"Speed":0}})"),
             classic(3, R"("BoxNum":"1000000000000000","FanNum":"111")"),
         })
        window.socketHelperReceiveData(command(json));
    QTest::qWait(3 * MobileViewRedraw::kIntervalMs);
    QCOMPARE(lights.count(), 0);
    QCOMPARE(speeds.count(), 0);
    QCOMPARE(redraws.count(), 0);
}

QTEST_MAIN(MobileClassicTest)
#include "tst_mobileclassic.moc"
