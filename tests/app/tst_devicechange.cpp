// Controllers plugged in and removed while the program runs, as the main window handles them.
#include "ClassicWiring.h"
#include "DeviceChangeHandler.h"
#include "EngineRig.h"
#include "PresenceString.h"
#include "VxZyneRainbow.h"
#include "WindowSettle.h"
#include "ZyneCommandHelper.h"
#include "ZynePlusCommandHelper.h"

#include <QSignalSpy>
#include <QtTest>

using namespace zyne;
using zyne::testing::EngineRig;

namespace {
QString interfaceName(const char* ids) {
    return QStringLiteral("\\\\?\\HID#%1#7&51a03&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}")
        .arg(QLatin1String(ids));
}

// Lighting reports (32 52 port ...) to one port (1..5) of a box, in the order sent.
QList<QByteArray> lightingReportsTo(const std::vector<QByteArray>& reports, int port) {
    QList<QByteArray> sent;
    for (const QByteArray& report : reports) {
        if (report.startsWith(QByteArray("\x00\x32\x52", 3)) && report.at(3) == port)
            sent << report;
    }
    return sent;
}
} // namespace

class DeviceChangeTest : public QObject {
    Q_OBJECT
private slots:
    void replugResendsThePortsFromTheRecord();
    void unplugClearsThePresenceCharacter();
    void arrivalOfADeviceGoneAgainChangesNothing();
    void otherDevicesAreIgnored();
    void classicArrivalAsksTheClassicEngine();
};

void DeviceChangeTest::replugResendsThePortsFromTheRecord() {
    EngineRig rig(R"({"plus": [{"index": 0}, {"index": 2}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    rig.forget();
    window.plusEngine()->changeLightMode(2, 3, 2, 0, 1, false);
    zyne::testing::settle(*window.plusEngine());
    const QList<QByteArray> chosen = lightingReportsTo(rig.reportsTo(2), 4);
    QCOMPARE(chosen.size(), 1);
    QSignalSpy canControl(window.plusEngine(), &ZynePlusCommandHelper::sendCanControl);

    QCOMPARE(rig.sim().control(QStringLiteral("unplug plus 2")), QStringLiteral("ok"));
    QTRY_VERIFY(!checkControllerStr().isPresent(2));
    zyne::testing::settle(*window.plusEngine());
    rig.forget();
    QCOMPARE(rig.sim().control(QStringLiteral("plug plus 2")), QStringLiteral("ok"));
    QTRY_VERIFY(checkControllerStr().isPresent(2));
    zyne::testing::settle(*window.plusEngine());

    QCOMPARE(canControl.count(), 2);
    QCOMPARE(canControl.last(), (QList<QVariant>{2, true}));
    // Every port once, port 4 as it was chosen before the unplug, and box 0's lighting left alone
    // (the selected box's speeds are read all along).
    zyne::testing::settle(*window.plusEngine());
    for (int port = 1; port <= 5; ++port)
        QCOMPARE(lightingReportsTo(rig.reportsTo(2), port).size(), 1);
    zyne::testing::settle(*window.plusEngine());
    QCOMPARE(lightingReportsTo(rig.reportsTo(2), 4), chosen);
    zyne::testing::settle(*window.plusEngine());
    for (int port = 1; port <= 5; ++port)
        QVERIFY(lightingReportsTo(rig.reportsTo(0), port).isEmpty());
}

void DeviceChangeTest::unplugClearsThePresenceCharacter() {
    EngineRig rig(R"({"plus": [{"index": 0}, {"index": 5}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QSignalSpy rediscover(&window, &VxZyneRainbow::sendResetBoxRequestByOne);
    QSignalSpy fullRediscovery(&window, &VxZyneRainbow::sendResetBoxRequest);
    QCOMPARE(rig.sim().control(QStringLiteral("unplug plus 5")), QStringLiteral("ok"));
    QTRY_COMPARE(rediscover.count(), 1);
    QCOMPARE(rediscover.first().first().toInt(), 5);
    QCOMPARE(checkControllerStr().text(), QStringLiteral("1000000000000000"));
    // The device list and discovery agree again: no full rediscovery.
    QCOMPARE(fullRediscovery.count(), 0);
}

void DeviceChangeTest::arrivalOfADeviceGoneAgainChangesNothing() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QSignalSpy canControl(window.plusEngine(), &ZynePlusCommandHelper::sendCanControl);
    DeviceChangeHandler handler(window, nullptr);
    zyne::testing::settle(*window.plusEngine());
    rig.forget();
    // Box 3 arrived and left before the notice was handled.
    QVERIFY(handler.handleDeviceChange(interfaceName("VID_264A&PID_1FA8"), true));
    zyne::testing::settle(*window.plusEngine());
    QCOMPARE(checkControllerStr().text(), QStringLiteral("1000000000000000"));
    QCOMPARE(canControl.count(), 1);
    QCOMPARE(canControl.first(), (QList<QVariant>{3, false}));
    QVERIFY(rig.reportsTo(3).empty());
}

void DeviceChangeTest::otherDevicesAreIgnored() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    DeviceChangeHandler handler(window, nullptr);
    QSignalSpy rediscover(&window, &VxZyneRainbow::sendResetBoxRequestByOne);
    zyne::testing::settle(*window.plusEngine());
    rig.forget();
    QVERIFY(!handler.handleDeviceChange(interfaceName("VID_046D&PID_C52B"), true));
    QVERIFY(!handler.handleDeviceChange(interfaceName("vid_264a&pid_1fa5"), false));
    QVERIFY(!handler.handleDeviceChange(QStringLiteral("garbage"), true));
    QCOMPARE(rediscover.count(), 0);
    QCOMPARE(checkControllerStr().text(), QStringLiteral("1000000000000000"));
    QVERIFY(rig.sim().events().empty()); // not even the device list was read
}

void DeviceChangeTest::classicArrivalAsksTheClassicEngine() {
    EngineRig rig(R"({"plus": [{"index": 0}], "classic": [{"index": 3}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    DeviceChangeHandler handler(window, nullptr);
    QSignalSpy plus(&window, &VxZyneRainbow::sendResetBoxRequestByOne);
    QSignalSpy classic(&window, &VxZyneRainbow::sendResetZyneBoxRequestByOne);
    // Waits until the classic engine, on its own thread, has handled what was sent to it.
    const auto engineDone = [&window] {
        QMetaObject::invokeMethod(window.classic()->engine(), [] {}, Qt::BlockingQueuedConnection);
    };
    QVERIFY(handler.handleDeviceChange(interfaceName("VID_264A&PID_1F44"), true));
    QCOMPARE(classic.count(), 1);
    QCOMPARE(classic.first().first().toInt(), 3);
    QVERIFY(classicPresenceStr().isPresent(3));
    engineDone();
    QVERIFY(classicPresenceStr().isPresent(3));
    QCOMPARE(plus.count(), 0);

    QCOMPARE(rig.sim().control(QStringLiteral("unplug classic 3")), QStringLiteral("ok"));
    QVERIFY(handler.handleDeviceChange(interfaceName("VID_264A&PID_1F44"), false));
    QVERIFY(!classicPresenceStr().isPresent(3));
    engineDone();
    QVERIFY(!classicPresenceStr().isPresent(3));
}

QTEST_MAIN(DeviceChangeTest)
#include "tst_devicechange.moc"
