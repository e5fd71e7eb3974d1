#include "ApplicationSettings.h"
#include "DeviceKinds.h"
#include "DeviceList.h"
#include "DevicePaths.h"
#include "EngineRig.h"
#include "HardwareErrorLine.h"
#include "MainView.h"
#include "SelectedBox.h"
#include "VxZyneRainbow.h"
#include "WindowSettle.h"
#include "ZynePlusCommandHelper.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <QtTest>

using namespace zyne;
using zyne::testing::EngineRig;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void devicePaths_data();
    void devicePaths();
    void consistencyCheckAsksForOneRediscovery();
    void errorLineFollowsTheFirstIndexWithADevice();
    void errorLineAfterTheAwtControllerWasLookedFor();
    void awtOnlyMachineShowsAndPollsItsBox();
    void autoRunEntryTogglesAndIsStored();
    void keyboardIsFoundByProductId();
    void effectTimersStartFromTheSavedProfile();
    void intakeSignalsReachThePlusEngine();
};

void MainWindowTest::devicePaths_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("plusBox");
    QTest::addColumn<int>("classicBox");
    QTest::addColumn<bool>("awt");
    const QString tail = QStringLiteral("#7&51a03&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}");
    QTest::newRow("first Plus box") << "\\\\?\\HID#VID_264A&PID_1FA5" + tail << 0 << 255 << false;
    QTest::newRow("last Plus box") << "\\\\?\\HID#VID_264A&PID_1FB4" + tail << 15 << 255 << false;
    QTest::newRow("the id after the last") << "\\\\?\\HID#VID_264A&PID_1FB5" + tail << 255 << 255 << false;
    QTest::newRow("lower-case token") << "\\\\?\\HID#vid_264a&pid_1fa5" + tail << 255 << 255 << false;
    QTest::newRow("classic box 3") << "\\\\?\\HID#VID_264A&PID_1F44" + tail << 255 << 3 << false;
    QTest::newRow("AWT chip") << "\\\\?\\HID#VID_C216&PID_0102" + tail << 255 << 255 << true;
    QTest::newRow("one part only") << QStringLiteral("VID_264A&PID_1FA5") << 255 << 255 << false;
    QTest::newRow("empty") << QString() << 255 << 255 << false;
}

void MainWindowTest::devicePaths() {
    QFETCH(QString, path);
    QFETCH(int, plusBox);
    QFETCH(int, classicBox);
    QFETCH(bool, awt);
    QCOMPARE(plusBoxFromDevicePath(path), plusBox);
    QCOMPARE(classicBoxFromDevicePath(path), classicBox);
    QCOMPARE(isAwtDevicePath(path), awt);
}

void MainWindowTest::consistencyCheckAsksForOneRediscovery() {
    // Boxes 3 and 5 are listed by the system but fail their probe: both disagree.
    EngineRig rig(R"({"plus": [{"index": 0}, {"index": 3, "behaviour": "probe_fails"},
                               {"index": 5, "behaviour": "probe_fails"}]})");
    VxZyneRainbow window;
    QSignalSpy rediscover(&window, &VxZyneRainbow::sendResetBoxRequest);
    QSignalSpy listed(window.deviceList(), &DeviceList::listed);
    // The start-up check compares once the boxes have answered their probes.
    QTRY_COMPARE(listed.count(), 1);
    QTRY_COMPARE(rediscover.count(), 1);
    zyne::testing::settle(*window.plusEngine());
    QCOMPARE(rediscover.count(), 1);
    window.checkUSBDevice();
    QTRY_COMPARE(listed.count(), 2);
    QCOMPARE(rediscover.count(), 2);

    // Once the system list and discovery agree, nothing is asked.
    rig.sim().control(QStringLiteral("unplug plus 3"));
    rig.sim().control(QStringLiteral("unplug plus 5"));
    QTRY_VERIFY(listed.count() >= 3);
    window.checkUSBDevice();
    QTRY_VERIFY(window.deviceList()->isCurrent());
    QCOMPARE(rediscover.count(), 2);
}

void MainWindowTest::errorLineFollowsTheFirstIndexWithADevice() {
    DeviceCountsPerBox counts;
    QCOMPARE(errorLineAfterAwtCheck(counts).hide, false);
    QCOMPARE(errorLineAfterAwtCheck(counts).hardwareError, int(NoControllerError));
    // Two Plus boxes on one index clash, unless an earlier index has a box of its own.
    counts.plus[4] = 2;
    QCOMPARE(errorLineAfterAwtCheck(counts).hardwareError, int(PlusClashError));
    counts.classic[2] = 1;
    QCOMPARE(errorLineAfterAwtCheck(counts).hide, true);
    counts.classic[2] = 3;
    QCOMPARE(errorLineAfterAwtCheck(counts).hide, false);
    QCOMPARE(errorLineAfterAwtCheck(counts).hardwareError, int(ClassicOrAwtClashError));
    // One Plus box beside two classic ones on the same index is a box that works.
    counts.plus[2] = 1;
    QCOMPARE(errorLineAfterAwtCheck(counts).hide, true);
    DeviceCountsPerBox awtOnly;
    awtOnly.awt[15] = 1;
    QCOMPARE(errorLineAfterAwtCheck(awtOnly).hide, true);
}

void MainWindowTest::errorLineAfterTheAwtControllerWasLookedFor() {
    EngineRig rig(R"({"plus": [{"index": 3}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    auto* line = window.mainView()->findChild<QLabel*>(QStringLiteral("label_error"));
    auto* version = window.mainView()->findChild<QLabel*>(QStringLiteral("label_version"));
    QVERIFY(line && version);
    window.mainView()->show();
    window.checkAWTConnectSucess();
    QVERIFY(!line->isVisible());

    rig.sim().control(QStringLiteral("unplug plus 3"));
    // The pass that ends after the change sees the list as read after it.
    window.checkAWTConnectSucess();
    QTRY_VERIFY(line->isVisible());
    QVERIFY(line->text().endsWith(QStringLiteral("(Error Code:H_0x0001)")));
    QVERIFY(version->text().endsWith(QStringLiteral(" , F 0.0.0")));
}

void MainWindowTest::awtOnlyMachineShowsAndPollsItsBox() {
    // Box 0 is also where the selection starts while nothing is there.
    EngineRig rig(R"({"awt": {"boxes": [0], "firmware": "104"}})");
    setSelectedBox(0);
    const auto framesToBox0 = [&rig](unsigned char command) {
        int count = 0;
        for (const auto& event : rig.sim().events())
            count += event.dir == QLatin1String("feature_out") && event.bytes.size() >= 5 &&
                     event.bytes.at(3) == 9 && static_cast<unsigned char>(event.bytes.at(4)) == command;
        return count;
    };
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    auto* version = window.mainView()->findChild<QLabel*>(QStringLiteral("label_version"));
    QVERIFY(version);
    // Found by the presence pass after start-up: shown, asked for its firmware, polled.
    QTRY_VERIFY_WITH_TIMEOUT(version->text().endsWith(QStringLiteral(" , F 1.0.4")), 10000);
    QCOMPARE(window.mainView()->boxType(), int(ui::kBoxKindAwt));
    QCOMPARE(framesToBox0(0x5D), 1);
    QTRY_VERIFY_WITH_TIMEOUT(framesToBox0(0x5A) >= 10, 10000);
}

void MainWindowTest::autoRunEntryTogglesAndIsStored() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    auto* entry = window.findChild<QAction*>(QStringLiteral("autoRunAction"));
    QVERIFY(entry);
    // A fresh installation runs at log-on: the white square.
    QVERIFY(ApplicationSettings::get().isAutoRun);
    QCOMPARE(entry->text(), QStringLiteral("\u25A1 Run Zyne Plus RGB Program when Windows starts"));

    entry->trigger();
    QCOMPARE(entry->text(), QStringLiteral("\u25A0 Run Zyne Plus RGB Program when Windows starts"));
    QVERIFY(!ApplicationSettings::get().isAutoRun);
    QFile device(rig.settingsFolder() + QStringLiteral("/Device.ini"));
    QVERIFY(device.open(QIODevice::ReadOnly));
    const QByteArray written = device.readAll();
    QVERIFY(written.contains("[Main]"));
    QVERIFY(written.contains("isAutoRun=0"));
    QVERIFY(written.contains("AutoUpdate=1"));
    QVERIFY(!written.contains("[Device0]"));
}

void MainWindowTest::keyboardIsFoundByProductId() {
    {
        EngineRig rig(R"({"keyboards": ["264a:3009"]})");
        VxZyneRainbow window;
        QVERIFY(zyne::testing::settleWindow(window));
        QTRY_VERIFY(window.deviceList()->isCurrent());
        QVERIFY(window.checkVXKeyboard());
    }
    EngineRig rig(R"({"keyboards": ["264a:3007"]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QTRY_VERIFY(window.deviceList()->isCurrent());
    QVERIFY(!window.checkVXKeyboard());
}

void MainWindowTest::effectTimersStartFromTheSavedProfile() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    QDir().mkpath(rig.settingsFolder() + QStringLiteral("/ZynePlus"));
    QFile profile(rig.settingsFolder() + QStringLiteral("/ZynePlus/Profile1.ini"));
    QVERIFY(profile.open(QIODevice::WriteOnly));
    profile.write("[Fan2]\nlightMode=9\n");
    profile.close();

    VxZyneRainbow window;

    QVERIFY(zyne::testing::settleWindow(window));
    auto* volumeTimer = window.findChild<QTimer*>(QStringLiteral("computerVolumeTimer"));
    QVERIFY(volumeTimer);
    QVERIFY(volumeTimer->isActive());
    // Every port was sent at start-up and twice more once the window was wired. The box's worker
    // writes them without the event loop, which stays still here as at start-up.
    const auto lightingToPort1 = [&rig] {
        int count = 0;
        for (const auto& report : rig.reportsTo(0))
            count += report.startsWith(QByteArray("\x00\x32\x52\x01", 4));
        return count;
    };
    for (int wait = 0; wait < 500 && lightingToPort1() < 3; ++wait)
        QThread::msleep(10);
    QCOMPARE(lightingToPort1(), 3);
}

void MainWindowTest::intakeSignalsReachThePlusEngine() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    ZynePlusCommandHelper& engine = *window.plusEngine();
    const RainbowFanState& port2 = engine.box(0).rainbowFan[2];
    const QStringList thirteen = QString("1,1,1,1,1,1,1,1,1,1,1,1,1").split(',');

    emit window.sendRGBDataToCommand(0, thirteen, thirteen, thirteen, thirteen, 2, "000000000001");
    QCOMPARE(port2.RColor[0], 1);
    emit window.sendAPPRGBDataToCommand(0, 9, 9, 9, 1.0f, 2, "100000000000");
    QCOMPARE(port2.RColor[0], 9);
    emit window.sendPlusBrighr(0, 2, QStringList{"0.5"});
    QCOMPARE(port2.Bright[0], 0.5f);
    emit window.sendSelectLedBtn(0, 2, "110000000000");
    QCOMPARE(port2.selectLED, QStringLiteral("110000000000"));
    emit window.sendTurnLed(0, 2, 1);
    QVERIFY(port2.isTurnOffLed);
    emit window.sendSpeechMode(4, -1, -1, false, -1);
    QCOMPARE(port2.lightMode, 4);
    QVERIFY(!port2.isTurnOffLed);
    emit window.sendSpeechColor(0, 0, 77, 1.0f, "000000000001", -1);
    QCOMPARE(port2.BColor[11], 77);
    emit window.sendSpeech(1, 1, 1, 1, 1, 1, 1.0f, true);
    QCOMPARE(port2.lightMode, 4);
    emit window.sendHotKeyCommand(3, 0);
    QCOMPARE(port2.lightSpeed, 2);
    window.plusEngine()->receivePlusSwitchPWM(0, 2, false);
    emit window.sendSpeechFanSpeed(80); // percent: level 8
    QCOMPARE(port2.Speed_Num, 8);

    int shown = 0;
    connect(&engine, &ZynePlusCommandHelper::sendResetMainView, this, [&shown] { ++shown; });
    emit window.sendViewRequest();
    QCOMPARE(shown, 5);
    emit window.sendResetPlusViewRequest();
    QCOMPARE(shown, 10);

    emit window.sendMobileVolume(42);
    QCOMPARE(engine.musicLevels().mobile, 42);
    emit window.sendSeriesLightMode(2);
    QCOMPARE(engine.meteor().seriesLightMode, 2);
    zyne::testing::settle(*window.plusEngine());
    rig.forget();
    emit window.sendResetAllToFullLight();
    // Waited for without the event loop, so no speed poll joins them.
    for (int wait = 0; wait < 500 && rig.reportsTo(0).size() < 5; ++wait)
        QThread::msleep(10);
    QCOMPARE(rig.reportsTo(0).size(), std::size_t(5));
    QSignalSpy told(&engine, &ZynePlusCommandHelper::operate);
    emit window.sendDefault(0, 0);
    emit window.sendStartSyncPwrix();
    // Synchronisation is off here: nothing goes to the power supply or its application.
    QCOMPARE(told.count(), 0);
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
