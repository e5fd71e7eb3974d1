// The device list is read off the GUI thread, once per change, and every check uses that reading.
#include "ChipLink.h"
#include "DeviceList.h"
#include "EngineRig.h"
#include "MainView.h"
#include "PresenceString.h"
#include "SimBackend.h"
#include "VxZyneRainbow.h"
#include "WindowSettle.h"
#include "ZynePlusCommandHelper.h"

#include <QLabel>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <mutex>

using namespace zyne;
using zyne::testing::EngineRig;

namespace {
// The simulated rig, counting its device-list readings and the threads they ran on.
class CountingSim : public sim::SimBackend {
public:
    using SimBackend::SimBackend;

    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override {
        {
            std::lock_guard lock(m_mutex);
            m_threads.push_back(QThread::currentThread());
        }
        return SimBackend::enumerate(vendorId, productId);
    }
    std::vector<QThread*> takeReadings() {
        std::lock_guard lock(m_mutex);
        return std::exchange(m_threads, {});
    }

private:
    std::mutex m_mutex;
    std::vector<QThread*> m_threads;
};

// Replaces the test rig's backend with a counting one on the same rig.
CountingSim& installCountingSim(const QByteArray& rigJson) {
    QString error;
    auto backend = std::make_unique<CountingSim>(*sim::SimRig::fromJson(rigJson, &error));
    CountingSim& sim = *backend;
    installChipLink(backend->chipLink());
    installHidBackend(std::move(backend));
    return sim;
}

constexpr char kRig[] = R"({"plus": [{"index": 0}, {"index": 3}], "keyboards": ["264a:3006"]})";
} // namespace

class DeviceListTest : public QObject {
    Q_OBJECT
private slots:
    void startUpAndEachChangeReadTheListOnceOffTheGuiThread();
    void aBurstOfChangesEndsOnTheLastState();
};

void DeviceListTest::startUpAndEachChangeReadTheListOnceOffTheGuiThread() {
    EngineRig rig(kRig);
    CountingSim& sim = installCountingSim(kRig);
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QTRY_VERIFY(window.deviceList()->isCurrent());
    // The consistency check, the keyboard check and the access check share one reading.
    std::vector<QThread*> readings = sim.takeReadings();
    QCOMPARE(readings.size(), std::size_t(1));
    QVERIFY(readings.front() != QThread::currentThread());
    QVERIFY(window.checkVXKeyboard());
    zyne::testing::settle(*window.plusEngine());

    QSignalSpy listed(window.deviceList(), &DeviceList::listed);
    QCOMPARE(sim.control(QStringLiteral("unplug plus 3")), QStringLiteral("ok"));
    QTRY_COMPARE(listed.count(), 1);
    zyne::testing::settle(*window.plusEngine());
    readings = sim.takeReadings();
    QCOMPARE(readings.size(), std::size_t(1));
    QVERIFY(readings.front() != QThread::currentThread());
    QCOMPARE(checkControllerStr().text(), QStringLiteral("1000000000000000"));

    // The AWT pass's error line uses the reading of the last change: none of its own.
    auto* line = window.mainView()->findChild<QLabel*>(QStringLiteral("label_error"));
    QVERIFY(line);
    window.mainView()->show();
    window.checkAWTConnectSucess();
    QVERIFY(!line->isVisible());
    QVERIFY(sim.takeReadings().empty());
}

void DeviceListTest::aBurstOfChangesEndsOnTheLastState() {
    EngineRig rig(kRig);
    CountingSim& sim = installCountingSim(kRig);
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QTRY_VERIFY(window.deviceList()->isCurrent());
    zyne::testing::settle(*window.plusEngine());
    sim.takeReadings();

    QSignalSpy rediscovery(&window, &VxZyneRainbow::sendResetBoxRequest);
    QSignalSpy listed(window.deviceList(), &DeviceList::listed);
    for (int round = 0; round < 10; ++round) {
        QCOMPARE(sim.control(QStringLiteral("unplug plus 3")), QStringLiteral("ok"));
        QCOMPARE(sim.control(QStringLiteral("plug plus 3")), QStringLiteral("ok"));
    }
    QCOMPARE(sim.control(QStringLiteral("unplug plus 3")), QStringLiteral("ok"));
    // 21 changes: the reading that starts with the first, and one after them all.
    QTRY_COMPARE(listed.count(), 1);
    QVERIFY(window.deviceList()->isCurrent());
    zyne::testing::settle(*window.plusEngine());
    QVERIFY(sim.takeReadings().size() <= 2);
    QCOMPARE(window.deviceList()->current().size(), std::size_t(2)); // box 0 and the keyboard
    QCOMPARE(checkControllerStr().text(), QStringLiteral("1000000000000000"));
    // The last reading and discovery agree: no full rediscovery.
    QCOMPARE(rediscovery.count(), 0);
}

QTEST_MAIN(DeviceListTest)
#include "tst_devicelist.moc"
