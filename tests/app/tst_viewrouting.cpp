// The real main window with its main view against the simulated rig: clicks in the views reach
// the controller, the engine's state shows in the views, and bad lists change nothing.
#include "ApplicationSettings.h"
#include "EngineRig.h"
#include "MainView.h"
#include "VxZyneRainbow.h"
#include "WindowSettle.h"
#include "ZynePlusCommandHelper.h"

#include <QAbstractButton>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

using namespace zyne;
using zyne::testing::EngineRig;

namespace {
QAbstractButton* button(QWidget* parent, const QString& name) {
    auto* found = parent->findChild<QAbstractButton*>(name);
    if (!found)
        qWarning() << "no button" << name;
    return found;
}

int lightingReportsTo(const EngineRig& rig, int box, int wirePort) {
    int count = 0;
    for (const QByteArray& report : rig.reportsTo(box))
        count += report.startsWith(QByteArray("\x00\x32\x52", 3)) && report.at(3) == wirePort;
    return count;
}

QByteArray lastLightingReport(const EngineRig& rig, int box, int wirePort) {
    QByteArray last;
    for (const QByteArray& report : rig.reportsTo(box)) {
        if (report.startsWith(QByteArray("\x00\x32\x52", 3)) && report.at(3) == wirePort)
            last = report;
    }
    return last;
}

// Frames (30 42) written to the power supply.
std::vector<QByteArray> framesToSupply(EngineRig& rig) {
    std::vector<QByteArray> frames;
    for (const auto& event : rig.sim().events()) {
        if (event.dev == QLatin1String("264a:2329") && event.dir == QLatin1String("out") &&
            event.bytes.mid(1, 2) == QByteArray("\x30\x42", 2))
            frames.push_back(event.bytes);
    }
    return frames;
}

void writeProfile(const EngineRig& rig, const QByteArray& text) {
    QDir().mkpath(rig.settingsFolder() + QStringLiteral("/ZynePlus"));
    QFile profile(rig.settingsFolder() + QStringLiteral("/ZynePlus/Profile1.ini"));
    QVERIFY(profile.open(QIODevice::WriteOnly));
    profile.write(text);
}
} // namespace

class ViewRoutingTest : public QObject {
    Q_OBJECT
private slots:
    void viewsShowTheEngineState();
    void lightModeClickWritesTheController();
    void fanSpeedAndProfileClicksReachTheEngine();
    void coloursAndBrightnessReachTheEngine();
    void syncSwitchLightsThePowerSupply();
    void syncOnAtStartLightsThePowerSupply();
    void badListsChangeNothing();
    void showAndHide();
};

void ViewRoutingTest::viewsShowTheEngineState() {
    EngineRig rig(R"({"plus": [{"index": 2}]})");
    writeProfile(rig, "[Fan2]\nlightMode=3\ncolorMode=1\n");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    ui::MainView* view = window.mainView();
    // The first present box is shown, as a Plus box, with its port records.
    QCOMPARE(view->selectedBox(), 2);
    QCOMPARE(view->boxType(), 1);
    QCOMPARE(view->plusView(2)->lightMode(), 3);
    QCOMPARE(view->plusView(2)->colorMode(), 1);
    QCOMPARE(view->plusView(0)->lightMode(), window.plusEngine()->box(2).rainbowFan[0].lightMode);
}

void ViewRoutingTest::lightModeClickWritesTheController() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    ui::RainbowFan* front = window.mainView()->plusView(1);
    const int before = front->lightMode();
    zyne::testing::settle(*window.plusEngine());
    rig.forget();
    QTest::mouseClick(button(front, QStringLiteral("btn_LightModeRight")), Qt::LeftButton);
    QVERIFY(front->lightMode() != before);
    QCOMPARE(window.plusEngine()->box(0).rainbowFan[1].lightMode, front->lightMode());
    zyne::testing::settle(*window.plusEngine());
    QVERIFY(lightingReportsTo(rig, 0, 2) >= 1);
    zyne::testing::settle(*window.plusEngine());
    QCOMPARE(lightingReportsTo(rig, 0, 1), 0);
}

void ViewRoutingTest::fanSpeedAndProfileClicksReachTheEngine() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    ui::MainView* view = window.mainView();
    ui::RainbowFan* fan = view->plusView(3);
    if (button(fan, QStringLiteral("btn_pwm"))->isChecked())
        QTest::mouseClick(button(fan, QStringLiteral("btn_pwm")), Qt::LeftButton);
    QVERIFY(!window.plusEngine()->box(0).rainbowFan[3].PWM);
    fan->findChild<QSlider*>(QStringLiteral("slider_FanSpeed_Per"))->setValue(2);
    QCOMPARE(window.plusEngine()->box(0).rainbowFan[3].Speed_Per, 2);

    QTest::mouseClick(button(view, QStringLiteral("2")), Qt::LeftButton);
    QCOMPARE(window.plusEngine()->box(0).currentProfile, 3);
    QCOMPARE(view->selectedProfile(), 3);
}

void ViewRoutingTest::coloursAndBrightnessReachTheEngine() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    ui::RainbowFan* fan = window.mainView()->plusView(4);
    // Blink in RGB, LED 3 alone selected.
    window.receiveMainData({"btn_done", "4", "3", "2", "0"});
    QCOMPARE(window.plusEngine()->box(0).rainbowFan[4].lightMode, 3);
    if (fan->selectLED() != QStringLiteral("000000000000"))
        fan->resetFanView(ui::PortViewState{});
    QTest::mouseClick(button(fan, QStringLiteral("led3")), Qt::LeftButton);
    QCOMPARE(window.plusEngine()->box(0).rainbowFan[4].selectLED, QStringLiteral("000100000000"));
    QTest::mouseClick(button(fan, QStringLiteral("btn_showColor")), Qt::LeftButton);
    fan->findChild<QSpinBox*>(QStringLiteral("colorFieldR"))->setValue(12);
    fan->findChild<QSpinBox*>(QStringLiteral("colorFieldG"))->setValue(34);
    fan->findChild<QSpinBox*>(QStringLiteral("colorFieldB"))->setValue(56);
    // The box's worker writes what came before the count starts, and the click's report after.
    zyne::testing::settle(*window.plusEngine());
    rig.forget();
    QTest::mouseClick(button(fan, QStringLiteral("btn_colorLabel_OK")), Qt::LeftButton);
    zyne::testing::settle(*window.plusEngine());
    const RainbowFanState& record = window.plusEngine()->box(0).rainbowFan[4];
    QCOMPARE(record.RColor[3], 12);
    QCOMPARE(record.GColor[3], 34);
    QCOMPARE(record.BColor[3], 56);
    // The first click lights the LED: its report carries the new colour, green first.
    QCOMPARE(lightingReportsTo(rig, 0, 5), 1);
    QCOMPARE(lastLightingReport(rig, 0, 5).mid(1 + 4 + 3 * 3, 3), QByteArray("\x22\x0c\x38", 3));
    // Default lights the default colours at once, not the ones it replaces.
    rig.forget();
    QTest::mouseClick(button(fan, QStringLiteral("btn_default")), Qt::LeftButton);
    zyne::testing::settle(*window.plusEngine());
    const RainbowFanState defaults;
    const QByteArray led3 = lastLightingReport(rig, 0, 5).mid(1 + 4 + 3 * 3, 3);
    QCOMPARE(led3.size(), 3);
    QCOMPARE(QColor(uchar(led3[1]), uchar(led3[0]), uchar(led3[2])),
             QColor(defaults.RColor[3], defaults.GColor[3], defaults.BColor[3]));
    fan->findChild<QSlider*>(QStringLiteral("slider_Light"))->setValue(5);
    QCOMPARE(window.plusEngine()->box(0).rainbowFan[4].Bright[3], 0.5F);
}

void ViewRoutingTest::syncSwitchLightsThePowerSupply() {
    EngineRig rig(R"({"plus": [{"index": 0}], "power_supply": {"model": "VXD-1250-PT"}})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QVERIFY(!ApplicationSettings::get().isSyncPwrix);
    const auto supplyFrames = [&rig] { return int(framesToSupply(rig).size()); };
    rig.forget();
    window.mainView()->mutiLanguageWidget();
    QTest::mouseClick(button(window.mainView(), QStringLiteral("btnSyncPwrix")), Qt::LeftButton);
    QVERIFY(ApplicationSettings::get().isSyncPwrix);
    // The supply is looked for on its worker and shows port 1 once it has answered.
    QVERIFY(zyne::testing::settle(*window.plusEngine()));
    QCOMPARE(supplyFrames(), 1);
    // Switching off sends nothing more.
    window.mainView()->mutiLanguageWidget();
    QTest::mouseClick(button(window.mainView(), QStringLiteral("btnSyncPwrix")), Qt::LeftButton);
    QVERIFY(!ApplicationSettings::get().isSyncPwrix);
    QVERIFY(zyne::testing::settle(*window.plusEngine()));
    QCOMPARE(supplyFrames(), 1);
}

void ViewRoutingTest::syncOnAtStartLightsThePowerSupply() {
    EngineRig rig(R"({"plus": [{"index": 0}], "power_supply": {"model": "VXD-1250-PT", "latency_ms": 20}})");
    writeProfile(rig, "[Fan0]\nlightMode=3\nlightSpeed=2\n");
    QFile ini(rig.settingsFolder() + QStringLiteral("/Device.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Main]\nisAutoRun=0\nLanguage=0\nisSyncPwrix=1\n");
    ini.close();
    // The window is up before the supply has answered; port 1 reaches it once it has.
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    // Once when it is found, and once more if the start's resend of every port comes after that.
    const auto frames = framesToSupply(rig);
    QVERIFY(!frames.empty() && frames.size() <= 2);
    for (const QByteArray& frame : frames)
        QCOMPARE(uchar(frame.at(3)), uchar(14));
}

void ViewRoutingTest::badListsChangeNothing() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    const QString password = ApplicationSettings::get().password;
    zyne::testing::settle(*window.plusEngine());
    rig.forget();
    window.receiveMainData({"btn_done", "9", "1", "2", "0"});
    window.receiveMainData({"btn_done", "1"});
    window.receiveMainData({"btn_done", "x", "1", "2", "0"});
    window.receiveMainData({"slider_FanSpeed_Per"});
    window.receiveMainData({});
    window.receiveMainData({"selectProfile", "6"});
    window.receiveMainData({"changeControllerBox", "7"});
    window.receiveMainData({"saveDevice", "0", "12a4"});
    window.receiveMainData({"saveDevice", "0", "12345"});
    window.receiveMainData({"slider_Light", "1", "3", "2", "0", "1,1,1"});
    window.receiveMainData({"selectLEDBtn", "1", "0001"});
    window.receiveRGBData({"1"}, {"2"}, {"3"}, {"1"}, 1, QStringLiteral("100000000000"));
    QStringList thirteen;
    for (int i = 0; i < 13; ++i)
        thirteen << QStringLiteral("1");
    window.receiveRGBData(thirteen, thirteen, thirteen, thirteen, 7, QStringLiteral("100000000000"));
    zyne::testing::settle(*window.plusEngine());
    QVERIFY(rig.reportsTo(0).empty());
    QCOMPARE(ApplicationSettings::get().password, password);
    QCOMPARE(window.mainView()->selectedBox(), 0);

    window.receiveMainData({"saveDevice", "0", "0042"});
    QCOMPARE(ApplicationSettings::get().password, QStringLiteral("0042"));
    QFile device(rig.settingsFolder() + QStringLiteral("/Device.ini"));
    QVERIFY(device.open(QIODevice::ReadOnly));
    QVERIFY(device.readAll().contains("0042"));
}

void ViewRoutingTest::showAndHide() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    ui::MainView* view = window.mainView();
    window.receiveWindowMessage(0x8101, 0, 0);
    QVERIFY(view->isHidden());
    window.showMainView();
    QVERIFY(view->isVisible());
    QTest::mouseClick(button(view, QStringLiteral("Close_Window")), Qt::LeftButton);
    QVERIFY(view->isHidden());
    window.receiveWindowMessage(0x8101, 1, 1);
    QVERIFY(view->isVisible());
}

QTEST_MAIN(ViewRoutingTest)
#include "tst_viewrouting.moc"
