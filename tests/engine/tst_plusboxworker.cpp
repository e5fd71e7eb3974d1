// The Plus boxes' workers: each box's reports on a thread of its own, in the engine's order, with
// waiting frames replaced by newer ones, against the simulated rig.
#include "EngineRig.h"
#include "PlusBoxWorker.h"
#include "PresenceString.h"
#include "ZynePlusCommandHelper.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <mutex>

using namespace zyne;
using zyne::testing::EngineRig;
using zyne::testing::reportByte;
using zyne::testing::settle;

Q_DECLARE_METATYPE(std::vector<zyne::BoxJob>)

namespace {
BoxJob job(BoxJob::Kind kind, int port, int tag = 0, std::chrono::milliseconds postedAt = {}) {
    BoxJob made;
    made.kind = kind;
    made.port = port;
    made.report[10] = static_cast<unsigned char>(tag); // tells jobs of one kind apart
    made.posted = std::chrono::steady_clock::time_point(postedAt);
    return made;
}

// "F0#1": kind letter, port, tag.
QStringList describe(const std::deque<BoxJob>& jobs) {
    QStringList described;
    for (const BoxJob& queued : jobs) {
        static const char letters[] = "FLTRSPWVO";
        described << QStringLiteral("%1%2#%3")
                         .arg(QLatin1Char(letters[static_cast<int>(queued.kind)]))
                         .arg(queued.port)
                         .arg(queued.report[10]);
    }
    return described;
}

std::deque<BoxJob> placed(const std::vector<BoxJob>& jobs) {
    std::deque<BoxJob> waiting;
    for (const BoxJob& next : jobs)
        placeBoxJob(waiting, next);
    return waiting;
}

// Index in the trace of each output report to a device.
std::vector<std::size_t> outputsTo(const std::vector<sim::TraceEvent>& events, const QString& dev) {
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].dev == dev && events[i].dir == QLatin1String("out"))
            at.push_back(i);
    }
    return at;
}

// Notes the thread of every attempt to open the power supply.
class SupplyOpenThreads : public HidBackend {
public:
    explicit SupplyOpenThreads(std::unique_ptr<HidBackend> inner) : m_inner(std::move(inner)) {}

    std::unique_ptr<HidDevice> open(std::uint16_t vendorId, std::uint16_t productId) override {
        if (productId == kPowerSupplyProductId) {
            std::lock_guard lock(m_mutex);
            m_threads.push_back(QThread::currentThread());
        }
        return m_inner->open(vendorId, productId);
    }
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override {
        return m_inner->enumerate(vendorId, productId);
    }
    std::vector<QThread*> threads() const {
        std::lock_guard lock(m_mutex);
        return m_threads;
    }

private:
    std::unique_ptr<HidBackend> m_inner;
    mutable std::mutex m_mutex;
    std::vector<QThread*> m_threads;
};

const QString kBox0 = QStringLiteral("264a:1fa5");
const QString kBox1 = QStringLiteral("264a:1fa6");
} // namespace

class PlusBoxWorkerTest : public QObject {
    Q_OBJECT
private slots:
    void placement_data();
    void placement();
    void clickOnAFastBoxOvertakesASlowBoxsBurst();
    void silentBoxAmongAnsweringBoxes();
    void pollsDoNotPileUpOnASlowBox();
    void framesForASlowBoxNeverRunBehind();
    void unplugMidBurstThenReplug();
    void exitWhileAWorkerWaits();
    void probesRunSideBySide();
    void supplyIsLookedForOnItsWorker();
};

void PlusBoxWorkerTest::placement_data() {
    using K = BoxJob::Kind;
    QTest::addColumn<std::vector<BoxJob>>("posted");
    QTest::addColumn<QStringList>("waiting");
    QTest::newRow("newer frame takes the waiting frame's place")
        << std::vector<BoxJob>{job(K::Frame, 0, 1), job(K::Frame, 1, 1), job(K::Frame, 0, 2)}
        << QStringList{"F0#2", "F1#1"};
    QTest::newRow("a chosen mode after the frame keeps both")
        << std::vector<BoxJob>{job(K::Frame, 0, 1), job(K::Lighting, 0, 1), job(K::Frame, 0, 2)}
        << QStringList{"F0#1", "L0#1", "F0#2"};
    QTest::newRow("turn-off is never replaced")
        << std::vector<BoxJob>{job(K::TurnOff, 2, 1), job(K::Frame, 2, 2), job(K::Frame, 2, 3)}
        << QStringList{"T2#1", "F2#3"};
    QTest::newRow("a speed setting or poll does not stop a frame")
        << std::vector<BoxJob>{job(K::Frame, 0, 1), job(K::FanSpeed, 0, 1), job(K::SpeedRead, 0, 1),
                               job(K::Frame, 0, 2)}
        << QStringList{"F0#2", "S0#1", "P0#1"};
    QTest::newRow("piled-up speed settings merge to the newest")
        << std::vector<BoxJob>{job(K::FanSpeed, 1, 1), job(K::Frame, 1, 1), job(K::FanSpeed, 1, 2),
                               job(K::FanSpeed, 3, 1)}
        << QStringList{"S1#2", "F1#1", "S3#1"};
    QTest::newRow("a poll or a chosen mode in between keeps the speed settings")
        << std::vector<BoxJob>{job(K::FanSpeed, 1, 1), job(K::SpeedRead, 1, 1), job(K::FanSpeed, 1, 2),
                               job(K::Lighting, 1, 1), job(K::FanSpeed, 1, 3)}
        << QStringList{"S1#1", "P1#1", "S1#2", "L1#1", "S1#3"};
    QTest::newRow("queries and saves are never dropped")
        << std::vector<BoxJob>{job(K::Firmware, -1, 1), job(K::Save, -1, 1), job(K::Firmware, -1, 2),
                               job(K::Save, -1, 2)}
        << QStringList{"W-1#1", "V-1#1", "W-1#2", "V-1#2"};
    const auto at = [](int ms) { return std::chrono::milliseconds(ms); };
    QTest::newRow("frames go ahead of polls posted shortly before them")
        << std::vector<BoxJob>{job(K::Frame, 0, 1, at(0)), job(K::SpeedRead, 0, 1, at(10)),
                               job(K::SpeedRead, 1, 1, at(10)), job(K::Frame, 1, 1, at(50)),
                               job(K::Frame, 0, 2, at(50))}
        << QStringList{"F0#2", "F1#1", "P0#1", "P1#1"};
    const int yield = static_cast<int>(kPollsYieldFor.count());
    QTest::newRow("polls that waited long enough are passed no more")
        << std::vector<BoxJob>{job(K::SpeedRead, 0, 1, at(0)), job(K::SpeedRead, 1, 1, at(yield / 2)),
                               job(K::Frame, 2, 1, at(yield + 1))}
        << QStringList{"P0#1", "F2#1", "P1#1"};
    QTest::newRow("only polls are passed, and only by frames")
        << std::vector<BoxJob>{job(K::FanSpeed, 0, 1), job(K::SpeedRead, 0, 1), job(K::Lighting, 1, 1),
                               job(K::Frame, 2, 1), job(K::SpeedRead, 2, 1), job(K::FanSpeed, 2, 1)}
        << QStringList{"S0#1", "P0#1", "L1#1", "F2#1", "P2#1", "S2#1"};
    QTest::newRow("a poll while the port's poll still waits adds nothing")
        << std::vector<BoxJob>{job(K::SpeedRead, 0, 1), job(K::SpeedRead, 1, 1), job(K::FanSpeed, 0, 1),
                               job(K::SpeedRead, 0, 2)}
        << QStringList{"P0#1", "P1#1", "S0#1"};
}

void PlusBoxWorkerTest::placement() {
    QFETCH(std::vector<BoxJob>, posted);
    QFETCH(QStringList, waiting);
    QCOMPARE(describe(placed(posted)), waiting);
}

void PlusBoxWorkerTest::clickOnAFastBoxOvertakesASlowBoxsBurst() {
    EngineRig rig(R"({"plus": [{"index": 0, "latency_ms": 20}, {"index": 1}]})");
    ZynePlusCommandHelper engine;
    QVERIFY(settle(engine));
    rig.forget();
    // Every port's lighting and speed, twice, for each box; the slow one needs 20 ms for each answer.
    engine.resetAllBox();
    engine.changeLightMode(1, 3, 1, 0, 2, false);
    QVERIFY(settle(engine));

    const auto events = rig.sim().events();
    const auto slow = outputsTo(events, kBox0);
    const auto fast = outputsTo(events, kBox1);
    QVERIFY(slow.size() >= 10);
    QCOMPARE(fast.size(), slow.size() + 1);
    const QByteArray& click = events[fast.back()].bytes;
    QCOMPARE(reportByte(click, 1), 0x52);
    QCOMPARE(reportByte(click, 2), 4);
    // On its own box the click comes after what was asked before it; it does not wait for the slow box.
    QVERIFY(fast.back() < slow.back());
}

void PlusBoxWorkerTest::silentBoxAmongAnsweringBoxes() {
    EngineRig rig(R"({"plus": [{"index": 0}, {"index": 1, "behaviour": "silent"}, {"index": 2}]})");
    ZynePlusCommandHelper engine;
    QVERIFY(settle(engine));
    rig.forget();
    QSignalSpy speeds(&engine, &ZynePlusCommandHelper::sendFanSpeed);
    QSignalSpy firmware(&engine, &ZynePlusCommandHelper::sendPlusFirmware);
    // The silent box went mute at start-up; the user's firmware query still waits its full time.
    engine.receivePlusFirmware(1);
    for (int b = 0; b < 3; ++b)
        engine.sendCommandReadFanSpeed(b);
    QVERIFY(settle(engine));
    // The answering boxes were done before the silent one had given up waiting for the query's reply.
    const auto events = rig.sim().events();
    const auto quiet = outputsTo(events, QStringLiteral("264a:1fa6"));
    const auto loud = outputsTo(events, QStringLiteral("264a:1fa7"));
    QCOMPARE(quiet.size(), std::size_t(6));
    QVERIFY(loud.back() < quiet[1]);

    constexpr int kPolls = 4;
    for (int poll = 1; poll < kPolls; ++poll) {
        for (int b = 0; b < 3; ++b)
            engine.sendCommandReadFanSpeed(b);
        QVERIFY(settle(engine));
    }
    int answered[3] = {};
    for (const auto& args : speeds)
        ++answered[args.at(0).toInt()];
    // Five running fans on each answering box, reported on every poll; none from the silent one.
    QCOMPARE(answered[0], kPolls * 5);
    QCOMPARE(answered[2], kPolls * 5);
    QCOMPARE(answered[1], 0);
    QCOMPARE(firmware.count(), 1);
    QCOMPARE(firmware.at(0).at(0).toString(), QStringLiteral("0"));
    QVERIFY(engine.box(1).replies.isMuted());
    QVERIFY(!engine.box(0).replies.isMuted());
    QVERIFY(!engine.box(2).replies.isMuted());
    QCOMPARE(rig.reportsTo(1).size(), std::size_t(kPolls * 5 + 1));
}

void PlusBoxWorkerTest::pollsDoNotPileUpOnASlowBox() {
    EngineRig rig(R"({"plus": [{"index": 0, "latency_ms": 20}]})");
    ZynePlusCommandHelper engine;
    QVERIFY(settle(engine));
    rig.forget();
    QSignalSpy speeds(&engine, &ZynePlusCommandHelper::sendFanSpeed);
    // Ten polls at once, as the poll timer would make them while the box answers the first.
    for (int poll = 0; poll < 10; ++poll)
        engine.sendCommandReadFanSpeed(0);
    QVERIFY(settle(engine));
    QVERIFY(rig.reportsTo(0).size() <= std::size_t(10));
    QCOMPARE(speeds.count(), int(rig.reportsTo(0).size()));
}

void PlusBoxWorkerTest::framesForASlowBoxNeverRunBehind() {
    EngineRig rig(R"({"plus": [{"index": 0, "latency_ms": 20}, {"index": 1}]})");
    ZynePlusCommandHelper engine;
    QVERIFY(settle(engine));
    for (int b = 0; b < 2; ++b) {
        for (int p = 0; p < 5; ++p)
            engine.changeLightMode(b, p, 16, 0, 0, false);
    }
    std::vector<EffectFrame> frames(30);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        frames[i].red.fill(static_cast<int>(8 * i));
        frames[i].brightPercent.fill(100);
    }
    engine.loadEffectFrames(frames);
    QVERIFY(settle(engine));
    rig.forget();
    // Thirty ticks at once: far more than a box answering in 20 ms can take.
    for (std::size_t i = 0; i < frames.size(); ++i)
        engine.receiveEffect();
    QVERIFY(settle(engine));

    const auto slow = rig.reportsTo(0);
    QVERIFY(slow.size() >= 5);
    QVERIFY(slow.size() < frames.size() * 5);
    // Each port of the slow box ends on the last tick's frame, as the fast box's ports do.
    const auto slowRecord = rig.sim().plusRecord(0);
    const auto fastRecord = rig.sim().plusRecord(1);
    QVERIFY(slowRecord && fastRecord);
    for (std::size_t p = 0; p < 5; ++p)
        QCOMPARE(slowRecord->lighting[p], fastRecord->lighting[p]);
}

void PlusBoxWorkerTest::unplugMidBurstThenReplug() {
    EngineRig rig(R"({"plus": [{"index": 0, "latency_ms": 20}, {"index": 1}]})");
    ZynePlusCommandHelper engine;
    QVERIFY(settle(engine));
    rig.forget();
    engine.resetAllBox();
    QTRY_VERIFY(outputsTo(rig.sim().events(), kBox0).size() >= 2);
    QCOMPARE(rig.sim().control(QStringLiteral("unplug plus 0")), QStringLiteral("ok"));
    QVERIFY(settle(engine));
    // What was still queued was tried and refused; the other box got all of its reports.
    const auto events = rig.sim().events();
    QVERIFY(!events[outputsTo(events, kBox0).back()].ok);
    const auto other = outputsTo(events, kBox1);
    QVERIFY(other.size() >= 10);
    for (std::size_t at : other)
        QVERIFY(events[at].ok);
    QVERIFY(engine.box(0).replies.isMuted());

    QCOMPARE(rig.sim().control(QStringLiteral("plug plus 0")), QStringLiteral("ok"));
    rig.forget();
    engine.getZynePlusByOne(0);
    QVERIFY(settle(engine));
    QVERIFY(engine.box(0).isPlusConnected());
    QVERIFY(!engine.box(0).replies.isMuted());
    const auto replugged = rig.sim().events();
    const auto outs = outputsTo(replugged, kBox0);
    QVERIFY(outs.size() > 5);
    for (std::size_t at : outs)
        QVERIFY(replugged[at].ok);
}

void PlusBoxWorkerTest::exitWhileAWorkerWaits() {
    EngineRig rig(R"({"plus": [{"index": 0, "behaviour": "silent"}, {"index": 1, "latency_ms": 1000}]})");
    {
        ZynePlusCommandHelper engine;
        settle(engine);
        // Reads that will find no answer in time, still queued and running as the engine goes.
        engine.receivePlusFirmware(0);
        engine.receivePlusFirmware(1);
        engine.resetAllBox();
    }
    // Nothing was left running: the devices closed with their workers.
    QCOMPARE(rig.sim().control(QStringLiteral("unplug plus 1")), QStringLiteral("ok"));
}

void PlusBoxWorkerTest::probesRunSideBySide() {
    EngineRig rig(
        R"({"plus": [{"index": 0, "latency_ms": 20}, {"index": 1}, {"index": 2, "behaviour": "silent"}]})");
    ZynePlusCommandHelper engine;
    settle(engine);
    QCOMPARE(checkControllerStr().text(), QStringLiteral("1110000000000000"));
    for (int b = 0; b < 3; ++b)
        QVERIFY(engine.box(b).isPlusConnected());
    // The first report to each box is its probe; box 1 was probed while box 0 had yet to answer.
    const auto events = rig.sim().events();
    const auto probeAnswer = [&](const QString& dev) {
        for (std::size_t i = 0; i < events.size(); ++i) {
            if (events[i].dev == dev && events[i].dir == QLatin1String("in"))
                return i;
        }
        return events.size();
    };
    QVERIFY(outputsTo(events, kBox1).front() < probeAnswer(kBox0));
    QVERIFY(outputsTo(events, QStringLiteral("264a:1fa7")).front() < probeAnswer(kBox0));
    QVERIFY(probeAnswer(kBox0) < events.size());
}

void PlusBoxWorkerTest::supplyIsLookedForOnItsWorker() {
    EngineRig settings(R"({})");
    QDir().mkpath(settings.settingsFolder());
    QFile ini(settings.settingsFolder() + QStringLiteral("/Device.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Main]\nisAutoRun=0\nLanguage=0\nisSyncPwrix=1\n");
    ini.close();
    QString error;
    const auto rigSpec = sim::SimRig::fromJson(R"({"plus": [{"index": 0}], "power_supply": {"model": "VXD-1250-PT"}})", &error);
    QVERIFY(rigSpec);
    auto simulated = std::make_unique<sim::SimBackend>(*rigSpec);
    sim::SimBackend* rig = simulated.get();
    auto noting = std::make_unique<SupplyOpenThreads>(std::move(simulated));
    SupplyOpenThreads* opens = noting.get();
    installHidBackend(std::move(noting));
    {
        ZynePlusCommandHelper engine;
        QVERIFY(settle(engine));
        QVERIFY(engine.powerSupply().isPresent());
        engine.changeLightMode(0, 0, 15, 0, 0, false);
        QVERIFY(settle(engine));
        // The supply leaves and comes back; a cross tick after the retry interval has the worker
        // look for it.
        QCOMPARE(rig->control(QStringLiteral("unplug psu")), QStringLiteral("ok"));
        engine.sendCross();
        QVERIFY(settle(engine));
        QVERIFY(!engine.powerSupply().isPresent());
        QCOMPARE(rig->control(QStringLiteral("plug psu")), QStringLiteral("ok"));
        QTest::qWait(static_cast<int>(PowerSupplyLink::kRetryInterval.count()) + 100);
        engine.sendCross();
        QVERIFY(settle(engine));
        QVERIFY(engine.powerSupply().isPresent());
    }
    const auto threads = opens->threads();
    QVERIFY(threads.size() >= 2);
    for (QThread* thread : threads)
        QVERIFY(thread != QThread::currentThread());
    installHidBackend(nullptr);
}

QTEST_GUILESS_MAIN(PlusBoxWorkerTest)
#include "tst_plusboxworker.moc"
