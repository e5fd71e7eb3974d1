#include "EngineRig.h"
#include "PlusReports.h"
#include "PresenceString.h"
#include "ZynePlusCommandHelper.h"

#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <condition_variable>
#include <mutex>

using namespace zyne;
using zyne::testing::EngineRig;
using zyne::testing::settle;

namespace {
QByteArray probeBuffer() {
    QByteArray probe(65, '\0');
    probe[1] = char(0xFE);
    probe[2] = char(0x33);
    return probe;
}

// Counts handles that are still open, to see replaced ones closed, and the reads that were allowed
// to wait. Writes or reads can be made to fail as on a failing USB link.
class CountingBackend : public HidBackend {
public:
    explicit CountingBackend(std::unique_ptr<HidBackend> inner) : m_inner(std::move(inner)) {}
    // The boxes' workers open, write and read side by side.
    std::atomic<int> openHandles{0};
    std::atomic<bool> failWrites{false};
    std::atomic<bool> failReads{false};

    // Reads that were allowed to wait.
    std::size_t waitingReads() {
        std::lock_guard lock(m_waitingReadsMutex);
        return m_waitingReads;
    }
    void forgetWaitingReads() {
        std::lock_guard lock(m_waitingReadsMutex);
        m_waitingReads = 0;
    }

    std::unique_ptr<HidDevice> open(std::uint16_t vendorId, std::uint16_t productId) override {
        auto device = m_inner->open(vendorId, productId);
        if (!device)
            return nullptr;
        return std::make_unique<CountedDevice>(std::move(device), productId, *this);
    }
    // Writes to the product stand still until releaseWrites(), as on a device that stalls them.
    void holdWritesTo(std::uint16_t productId) { m_heldProduct = productId; }
    void releaseWrites() {
        {
            std::lock_guard lock(m_gate);
            m_released = true;
        }
        m_release.notify_all();
    }
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override {
        return m_inner->enumerate(vendorId, productId);
    }

private:
    class CountedDevice : public HidDevice {
    public:
        CountedDevice(std::unique_ptr<HidDevice> inner, std::uint16_t productId, CountingBackend& backend)
            : m_inner(std::move(inner)), m_productId(productId), m_backend(backend) {
            ++m_backend.openHandles;
        }
        ~CountedDevice() override { --m_backend.openHandles; }
        int write(const unsigned char* data, std::size_t length) override {
            if (m_productId == m_backend.m_heldProduct) {
                std::unique_lock lock(m_backend.m_gate);
                m_backend.m_release.wait_for(lock, std::chrono::seconds(10),
                                             [this] { return m_backend.m_released; });
            }
            return m_backend.failWrites ? -1 : m_inner->write(data, length);
        }
        int read(unsigned char* data, std::size_t length, int timeoutMs) override {
            if (timeoutMs > 0) {
                std::lock_guard lock(m_backend.m_waitingReadsMutex);
                ++m_backend.m_waitingReads;
            }
            return m_backend.failReads ? -1 : m_inner->read(data, length, timeoutMs);
        }
        int sendFeatureReport(const unsigned char* data, std::size_t length) override {
            return m_inner->sendFeatureReport(data, length);
        }
        int getFeatureReport(unsigned char* data, std::size_t length) override {
            return m_inner->getFeatureReport(data, length);
        }

    private:
        std::unique_ptr<HidDevice> m_inner;
        std::uint16_t m_productId;
        CountingBackend& m_backend;
    };
    std::unique_ptr<HidBackend> m_inner;
    std::mutex m_waitingReadsMutex;
    std::size_t m_waitingReads = 0;
    std::atomic<int> m_heldProduct{-1};
    std::mutex m_gate;
    std::condition_variable m_release;
    bool m_released = false;
};

// A simulated rig behind a CountingBackend, installed for one test.
struct CountedRig {
    explicit CountedRig(const QByteArray& json) {
        QString error;
        auto rigSpec = sim::SimRig::fromJson(json, &error);
        auto simulated = std::make_unique<sim::SimBackend>(*rigSpec);
        sim = simulated.get();
        auto counting = std::make_unique<CountingBackend>(std::move(simulated));
        backend = counting.get();
        installHidBackend(std::move(counting));
    }
    ~CountedRig() { installHidBackend(nullptr); }
    sim::SimBackend* sim = nullptr;
    CountingBackend* backend = nullptr;
};

// Counts the log lines holding a text while it lives.
class LogCounter {
public:
    explicit LogCounter(const char* text) {
        s_text = text;
        s_count = 0;
        m_previous = qInstallMessageHandler(&LogCounter::handle);
    }
    ~LogCounter() { qInstallMessageHandler(m_previous); }
    int count() const { return s_count; }

private:
    static void handle(QtMsgType, const QMessageLogContext&, const QString& message) {
        if (message.contains(QLatin1String(s_text)))
            ++s_count;
    }
    static inline const char* s_text = nullptr;
    static inline int s_count = 0;
    QtMessageHandler m_previous = nullptr;
};
} // namespace

class PlusDiscoveryTest : public QObject {
    Q_OBJECT
private slots:
    void findsBoxesByProductIdInOrder();
    void noControllerWritesNothingAfterProbes();
    void probeFailureLeavesBoxAbsent();
    void rediscoveringVanishedBoxKeepsItsType();
    void rediscoveryClosesReplacedHandle();
    void firmwareVersion();
    void silentBoxDoesNotStallTheEngine();
    void boxHoldingItsProbeIsLitWhenItAnswers();
    void vanishedBoxDuringWritesIsSurvived();
    void failedWritesReadNothingAndMuteTheBox();
    void failingReadsAreLoggedOncePerBox();
};

void PlusDiscoveryTest::findsBoxesByProductIdInOrder() {
    EngineRig rig(R"({"plus": [{"index": 0}, {"index": 15}]})");
    ZynePlusCommandHelper engine;
    settle(engine);

    std::vector<int> expected;
    for (int i = 0; i < 16; ++i)
        expected.push_back(0x1FA5 + i);
    const auto opened = rig.openedProductIds();
    QCOMPARE(std::vector<int>(opened.begin(), opened.begin() + 16), expected);
    QVERIFY(std::find(opened.begin(), opened.end(), 0x1FB5) == opened.end());

    QCOMPARE(checkControllerStr().text(), QStringLiteral("1000000000000001"));
    QCOMPARE(engine.box(0).boxType, int(BoxPlus));
    QCOMPARE(engine.box(15).boxType, int(BoxPlus));
    QCOMPARE(engine.box(7).boxType, int(BoxAbsent));
    QCOMPARE(rig.reportsTo(15).front(), probeBuffer());
    QCOMPARE(boxLabel(15), QStringLiteral("Zyne Plus Controller No.16"));
}

void PlusDiscoveryTest::noControllerWritesNothingAfterProbes() {
    EngineRig rig(R"({})");
    ZynePlusCommandHelper engine;
    settle(engine);
    QCOMPARE(checkControllerStr().text(), QString(16, QLatin1Char('0')));
    for (int b = 0; b < 16; ++b) {
        QCOMPARE(engine.box(b).boxType, int(BoxAbsent));
        QVERIFY(rig.reportsTo(b).empty());
    }
    engine.changeLightMode(0, 0, 3, 0, 0, false);
    settle(engine);
    engine.sendCommandReadFanSpeed(0);
    settle(engine);
    QVERIFY(rig.reportsTo(0).empty());
}

void PlusDiscoveryTest::probeFailureLeavesBoxAbsent() {
    EngineRig rig(R"({"plus": [{"index": 2, "behaviour": "probe_fails"}]})");
    ZynePlusCommandHelper engine;
    settle(engine);
    QVERIFY(!engine.box(2).isConnected);
    QCOMPARE(engine.box(2).boxType, int(BoxAbsent));
    QVERIFY(!checkControllerStr().isPresent(2));
    QSignalSpy firmware(&engine, &ZynePlusCommandHelper::sendPlusFirmware);
    engine.receivePlusFirmware(2);
    settle(engine);
    QVERIFY(settle(engine));
    QCOMPARE(firmware.count(), 1);
    QCOMPARE(firmware.at(0).at(0).toString(), QStringLiteral("0"));
}

void PlusDiscoveryTest::rediscoveringVanishedBoxKeepsItsType() {
    EngineRig rig(R"({"plus": [{"index": 3}]})");
    ZynePlusCommandHelper engine;
    settle(engine);
    QVERIFY(engine.box(3).isPlusConnected());
    QCOMPARE(rig.sim().control(QStringLiteral("unplug plus 3")), QStringLiteral("ok"));

    QSignalSpy canControl(&engine, &ZynePlusCommandHelper::sendCanControl);
    engine.getZynePlusByOne(3);
    settle(engine);
    QCOMPARE(canControl.count(), 1);
    QCOMPARE(canControl.at(0).at(0).toInt(), 3);
    QCOMPARE(canControl.at(0).at(1).toBool(), false);
    QVERIFY(!engine.box(3).isConnected);
    QCOMPARE(engine.box(3).boxType, int(BoxPlus));
    QVERIFY(!checkControllerStr().isPresent(3));

    QCOMPARE(rig.sim().control(QStringLiteral("plug plus 3")), QStringLiteral("ok"));
    engine.getZynePlusByOne(3);
    settle(engine);
    QCOMPARE(canControl.at(1).at(1).toBool(), true);
    QVERIFY(checkControllerStr().isPresent(3));

    // Out-of-range indices are refused without touching any record.
    engine.getZynePlusByOne(16);
    settle(engine);
    engine.getZynePlusByOne(-1);
    settle(engine);
    QCOMPARE(canControl.count(), 2);
}

void PlusDiscoveryTest::rediscoveryClosesReplacedHandle() {
    QString error;
    auto rigSpec = sim::SimRig::fromJson(R"({"plus": [{"index": 0}, {"index": 1}]})", &error);
    QVERIFY(rigSpec);
    auto counting = std::make_unique<CountingBackend>(std::make_unique<sim::SimBackend>(*rigSpec));
    CountingBackend* backend = counting.get();
    installHidBackend(std::move(counting));
    {
        ZynePlusCommandHelper engine;
        settle(engine);
        QCOMPARE(backend->openHandles.load(), 2);
        engine.getZynePlusByOne(0);
        settle(engine);
        engine.getZynePlus();
        settle(engine);
        QCOMPARE(backend->openHandles.load(), 2);
    }
    QCOMPARE(backend->openHandles.load(), 0);
    installHidBackend(nullptr);
}

void PlusDiscoveryTest::boxHoldingItsProbeIsLitWhenItAnswers() {
    CountedRig rig(R"({"plus": [{"index": 0}, {"index": 2}]})");
    rig.backend->holdWritesTo(plusProductId(2));
    ZynePlusCommandHelper engine;
    QSignalSpy finished(&engine, &ZynePlusCommandHelper::discoveryFinished);
    QSignalSpy canControl(&engine, &ZynePlusCommandHelper::sendCanControl);
    // The discovery ends without the box that holds its probe, and the others are lit.
    QVERIFY(finished.wait(5000));
    QVERIFY(engine.box(0).isPlusConnected());
    QVERIFY(!engine.box(2).isConnected);
    QVERIFY(settle(engine, 500) == false); // box 2's probe is still out
    QVERIFY(rig.sim->plusRecord(0)->lightingCount[0] > 0);
    QCOMPARE(rig.sim->plusRecord(2)->lightingCount[0], 0);

    // Once it goes through, the box is taken as plugged in: told to the views and given its ports.
    rig.backend->releaseWrites();
    QVERIFY(settle(engine));
    QCOMPARE(canControl.count(), 1);
    QCOMPARE(canControl.first(), (QList<QVariant>{2, true}));
    QVERIFY(engine.box(2).isPlusConnected());
    QCOMPARE(checkControllerStr().text(), QStringLiteral("1010000000000000"));
    for (int port = 0; port < kPlusPortCount; ++port)
        QVERIFY(rig.sim->plusRecord(2)->lightingCount[static_cast<std::size_t>(port)] > 0);
}

void PlusDiscoveryTest::firmwareVersion() {
    EngineRig rig(R"({"plus": [{"index": 1, "firmware": [1, 0, 12]}]})");
    ZynePlusCommandHelper engine;
    settle(engine);
    QSignalSpy firmware(&engine, &ZynePlusCommandHelper::sendPlusFirmware);
    engine.receivePlusFirmware(1);
    settle(engine);
    engine.receivePlusFirmware(0);
    settle(engine);
    QCOMPARE(firmware.count(), 2);
    QCOMPARE(firmware.at(0).at(0).toString(), QStringLiteral("1.0.12"));
    QCOMPARE(firmware.at(1).at(0).toString(), QStringLiteral("0"));
    const auto sent = rig.reportsTo(1);
    QCOMPARE(zyne::testing::reportByte(sent.back(), 0), 0x33);
    QCOMPARE(zyne::testing::reportByte(sent.back(), 1), 0x50);
}

void PlusDiscoveryTest::silentBoxDoesNotStallTheEngine() {
    QString error;
    auto rigSpec = sim::SimRig::fromJson(R"({"plus": [{"index": 0, "behaviour": "silent"}]})", &error);
    QVERIFY(rigSpec);
    auto simulated = std::make_unique<sim::SimBackend>(*rigSpec);
    sim::SimBackend* rig = simulated.get();
    auto counting = std::make_unique<CountingBackend>(std::move(simulated));
    CountingBackend* backend = counting.get();
    installHidBackend(std::move(counting));
    {
        ZynePlusCommandHelper engine;
        settle(engine);
        QVERIFY(engine.box(0).isPlusConnected());
        QSignalSpy speeds(&engine, &ZynePlusCommandHelper::sendFanSpeed);
        for (int poll = 0; poll < 4; ++poll) {
            engine.sendCommandReadFanSpeed(0);
            settle(engine);
        }
        QCOMPARE(speeds.count(), 0);
        // The probe and three more reports wait for a reply; after that the box is not waited for.
        QCOMPARE(backend->waitingReads(), std::size_t(4));
        // Silence stops the counting, so months of it can't overflow the counter.
        QCOMPARE(engine.box(0).replies.unansweredReports(), BoxReplyWatch::kMuteAfterUnanswered);
        // The user's firmware query still gets its full wait.
        QSignalSpy firmware(&engine, &ZynePlusCommandHelper::sendPlusFirmware);
        engine.receivePlusFirmware(0);
        settle(engine);
        QVERIFY(settle(engine));
        QCOMPARE(firmware.count(), 1);
        QCOMPARE(firmware.at(0).at(0).toString(), QStringLiteral("0"));
        QCOMPARE(backend->waitingReads(), std::size_t(5));
        backend->forgetWaitingReads();

        // A box that answers again is heard at once and waited for again.
        QCOMPARE(rig->control(QStringLiteral("behave plus 0 ok")), QStringLiteral("ok"));
        engine.sendCommandReadFanSpeed(0);
        settle(engine);
        QCOMPARE(speeds.count(), 5);
        engine.sendCommandReadFanSpeed(0);
        settle(engine);
        // The first answered poll waited for four of its five reads, the next one for all five.
        QCOMPARE(backend->waitingReads(), std::size_t(4 + 5));
    }
    installHidBackend(nullptr);
}

void PlusDiscoveryTest::vanishedBoxDuringWritesIsSurvived() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    ZynePlusCommandHelper engine;
    settle(engine);
    rig.sim().control(QStringLiteral("unplug plus 0"));
    rig.forget();
    QSignalSpy speeds(&engine, &ZynePlusCommandHelper::sendFanSpeed);
    engine.changeLightMode(0, 1, 6, 0, 0, false);
    settle(engine);
    engine.sendCommandReadFanSpeed(0);
    settle(engine);
    engine.receiveChangeFanSpeedNum(0, 1, 5);
    settle(engine);
    QCOMPARE(speeds.count(), 0);
    // Every report was tried and failed; the records still changed, for when the box returns.
    const auto events = rig.sim().events();
    QVERIFY(!events.empty());
    for (const auto& event : events)
        QVERIFY(!event.ok);
    QCOMPARE(engine.box(0).rainbowFan[1].lightMode, 6);
    QCOMPARE(engine.box(0).rainbowFan[1].Speed_Num, 5);
}

void PlusDiscoveryTest::failedWritesReadNothingAndMuteTheBox() {
    CountedRig rig(R"({"plus": [{"index": 0}]})");
    ZynePlusCommandHelper engine;
    settle(engine);
    QVERIFY(engine.box(0).isPlusConnected());
    rig.backend->forgetWaitingReads();
    LogCounter writeFailures("write failed");

    rig.backend->failWrites = true;
    for (int poll = 0; poll < 3; ++poll) {
        engine.sendCommandReadFanSpeed(0);
        settle(engine);
    }
    // Nothing went out, so nothing was waited for; said once.
    QCOMPARE(rig.backend->waitingReads(), std::size_t(0));
    QCOMPARE(writeFailures.count(), 1);
    QVERIFY(engine.box(0).replies.isMuted());

    // Writes that go through again to a box that stays silent cost no waiting either.
    rig.backend->failWrites = false;
    QCOMPARE(rig.sim->control(QStringLiteral("behave plus 0 silent")), QStringLiteral("ok"));
    engine.sendCommandReadFanSpeed(0);
    settle(engine);
    QCOMPARE(rig.backend->waitingReads(), std::size_t(0));
}

void PlusDiscoveryTest::failingReadsAreLoggedOncePerBox() {
    CountedRig rig(R"({"plus": [{"index": 0}, {"index": 1}]})");
    ZynePlusCommandHelper engine;
    settle(engine);
    LogCounter readFailures("read failed: the device is gone");
    rig.backend->failReads = true;
    for (int poll = 0; poll < 4; ++poll) {
        engine.sendCommandReadFanSpeed(0);
        settle(engine);
        engine.sendCommandReadFanSpeed(1);
        settle(engine);
    }
    QCOMPARE(readFailures.count(), 2);

    // Once the box answers again, a new failure is worth a line again.
    rig.backend->failReads = false;
    engine.sendCommandReadFanSpeed(0);
    settle(engine);
    QVERIFY(!engine.box(0).replies.isMuted());
    rig.backend->failReads = true;
    engine.sendCommandReadFanSpeed(0);
    settle(engine);
    QCOMPARE(readFailures.count(), 3);
}

QTEST_GUILESS_MAIN(PlusDiscoveryTest)
#include "tst_plusdiscovery.moc"
