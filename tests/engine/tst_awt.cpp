// The AWT controller through the engine, against the simulated chip.
#include "AwtController.h"
#include "EngineRig.h"
#include "PresenceString.h"
#include "ZynePlusCommandHelper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <algorithm>
#include <condition_variable>
#include <mutex>

using namespace zyne;
using zyne::testing::EngineRig;

namespace {
constexpr char kChip[] = "c216:0102";
constexpr char kAwtRig[] = R"({"awt": {"boxes": [0], "firmware": "104", "rpm": [1200, 0, 850]}})";

std::vector<QByteArray> framesToChip(EngineRig& rig, bool* allOk = nullptr) {
    std::vector<QByteArray> frames;
    if (allOk)
        *allOk = true;
    for (const auto& event : rig.sim().events()) {
        if (event.dev != QLatin1String(kChip) || event.dir != QLatin1String("feature_out"))
            continue;
        frames.push_back(event.bytes);
        if (allOk)
            *allOk = *allOk && event.ok;
    }
    return frames;
}

unsigned char at(const QByteArray& frame, int i) {
    return static_cast<unsigned char>(frame.at(i));
}

// LEDs of a lighting frame whose colour is not black.
std::vector<int> litEntries(const QByteArray& frame) {
    std::vector<int> lit;
    for (int k = 0; 6 + 4 * k + 3 <= frame.size(); ++k) {
        if (frame.mid(6 + 4 * k, 3) != QByteArray(3, '\0'))
            lit.push_back(k);
    }
    return lit;
}

// Lets the queue run until it is empty and no exchange is out.
bool drain(ZynePlusCommandHelper& engine, int timeoutMs = 5000) {
    AwtController& awt = engine.awtController();
    QElapsedTimer clock;
    clock.start();
    while (awt.queuedCommands() > 0 || awt.exchangesInFlight() > 0) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Counts the warnings holding a text while it lives.
class WarningCounter {
public:
    explicit WarningCounter(const char* text) {
        s_text = text;
        s_count = 0;
        m_previous = qInstallMessageHandler(&WarningCounter::handle);
    }
    ~WarningCounter() { qInstallMessageHandler(m_previous); }
    int count() const { return s_count; }

private:
    static void handle(QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtWarningMsg && message.contains(QLatin1String(s_text)))
            ++s_count;
    }
    static inline const char* s_text = nullptr;
    static inline int s_count = 0;
    QtMessageHandler m_previous = nullptr;
};

void writeSettingsFile(const EngineRig& rig, const QString& name, const QByteArray& text) {
    const QString path = rig.settingsFolder() + QLatin1Char('/') + name;
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(text), qint64(text.size()));
}

// Probes every handle slot, as the program does at start and when the chip arrives.
void probeAllSlots(ZynePlusCommandHelper& engine) {
    for (int slot = 0; slot < AwtController::kHandleCount; ++slot)
        engine.checkAWTConnect(slot);
}

// The rig's chip behind an open that waits until the test lets it through, as the library's
// device listing would take its time; it notes the threads it was opened on and the handles.
class GatedChipLink : public ChipLink {
public:
    explicit GatedChipLink(std::shared_ptr<ChipLink> chip) : m_chip(std::move(chip)) {}

    ChipHandle open(const std::string& deviceName) override {
        std::unique_lock lock(m_mutex);
        m_openThreads.push_back(QThread::currentThread());
        // Never held on the test's own thread: that would hang the test instead of failing it.
        if (QThread::currentThread() != m_testThread)
            m_released.wait_for(lock, std::chrono::seconds(10), [this] { return m_open; });
        const ChipHandle handle = m_chip->open(deviceName);
        m_opened.push_back(handle);
        return handle;
    }
    int close(ChipHandle handle) override {
        {
            std::lock_guard lock(m_mutex);
            m_closed.push_back(handle);
        }
        return m_chip->close(handle);
    }
    int comm(ChipHandle handle, const unsigned char* frame, int length, unsigned int* replyLength,
             unsigned char* reply, int timeout) override {
        return m_chip->comm(handle, frame, length, replyLength, reply, timeout);
    }

    void release() {
        {
            std::lock_guard lock(m_mutex);
            m_open = true;
        }
        m_released.notify_all();
    }
    std::vector<QThread*> openThreads() const {
        std::lock_guard lock(m_mutex);
        return m_openThreads;
    }
    std::vector<ChipHandle> opened() const {
        std::lock_guard lock(m_mutex);
        return m_opened;
    }
    bool wasClosed(ChipHandle handle) const {
        std::lock_guard lock(m_mutex);
        return std::find(m_closed.begin(), m_closed.end(), handle) != m_closed.end();
    }

private:
    std::shared_ptr<ChipLink> m_chip;
    QThread* const m_testThread = QThread::currentThread();
    mutable std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_open = false;
    std::vector<QThread*> m_openThreads;
    std::vector<ChipHandle> m_opened;
    std::vector<ChipHandle> m_closed;
};

// An engine that has found AWT box 0 on handle 0.
bool findBox(ZynePlusCommandHelper& engine) {
    QSignalSpy passEnded(&engine, &ZynePlusCommandHelper::sendCheckAWTBoxSuccess);
    engine.checkAWTConnect(0);
    return passEnded.wait(5000) && drain(engine) && engine.box(0).boxType == BoxAwt;
}
} // namespace

class AwtTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void presencePassFindsAndLightsBox();
    void foundBoxKeepsStoredFanTypes();
    void plusRediscoveryKeepsTheAwtBox();
    void unopenableHandleStillEndsPass();
    void slowOpenLeavesTheGuiThreadAndPassesFollow();
    void handlesClosedWhileOpeningLetTheLateHandleGo();
    void missingChipIsOneWarning();
    void fanSpeedDuty_data();
    void fanSpeedDuty();
    void lightingEffectByte_data();
    void lightingEffectByte();
    void speedReplyRaisesOneStall();
    void busyChipHoldsQueueNotThread();
    void unplugClosesHandleOnce();
    void firmwareAndSave();
    void temperatureCurveAndTurnOff();
    void effectTicksReachAwtPorts();
};

void AwtTest::init() {
    for (int b = 0; b < kBoxCount; ++b)
        awtPresenceStr().setCount(b, 0);
}

void AwtTest::presencePassFindsAndLightsBox() {
    EngineRig rig(kAwtRig);
    ZynePlusCommandHelper engine;
    zyne::testing::settle(engine);
    QSignalSpy passEnded(&engine, &ZynePlusCommandHelper::sendCheckAWTBoxSuccess);
    engine.checkAWTConnect(0);
    // One read-speeds frame per box index, then nothing until the pass has been answered.
    QVERIFY(passEnded.wait(5000));
    QCOMPARE(passEnded.count(), 1);
    QVERIFY(drain(engine));

    QCOMPARE(awtPresenceStr().text(), QStringLiteral("1000000000000000"));
    QCOMPARE(engine.box(0).boxType, int(BoxAwt));
    QCOMPARE(engine.box(0).awtHandle, 0);
    QCOMPARE(engine.box(1).boxType, int(BoxAbsent));
    const auto frames = framesToChip(rig);
    QVERIFY(frames.size() >= 16);
    for (int box = 0; box < 16; ++box)
        QCOMPARE(frames[std::size_t(box)], QByteArray::fromHex("264a20") + char(9 + box) + char(0x5A));

    // The found box got its profile: lighting and fan speed for its three ports.
    const auto record = rig.sim().awtRecord(0);
    QVERIFY(record);
    for (int port = 0; port < 3; ++port) {
        QVERIFY(!record->lighting[std::size_t(port)].isEmpty());
        QCOMPARE(record->duty[std::size_t(port)], -1); // the default port follows the curve
    }
    // A second pass over the open handle finds nothing new and asks nothing twice.
    QSignalSpy lost(&engine.awtController(), &AwtController::boxLost);
    engine.checkAWTConnect(0);
    QVERIFY(passEnded.wait(5000));
    QCOMPARE(awtPresenceStr().text(), QStringLiteral("1000000000000000"));
    QCOMPARE(lost.count(), 0);
}

void AwtTest::foundBoxKeepsStoredFanTypes() {
    EngineRig rig(kAwtRig);
    // Port 1 a Vela fan in Light mode, port 2 a radiator at a fixed 10 %.
    writeSettingsFile(rig, QStringLiteral("Device.ini"), "[Device0]\nFanType=\"7,2,0,0,0\"\n");
    writeSettingsFile(rig, QStringLiteral("ZynePlus/Profile1.ini"),
                      "[Fan0]\nlightMode=6\nisTurnOffLed=0\n"
                      "[Fan1]\nPWM=0\nSpeedMode=0\nSpeed_Num=1\n");
    ZynePlusCommandHelper engine;
    zyne::testing::settle(engine);
    QVERIFY(findBox(engine));
    QCOMPARE(engine.box(0).rainbowFan[0].FanType, 7);
    QCOMPARE(engine.box(0).rainbowFan[1].FanType, 2);
    const auto record = rig.sim().awtRecord(0);
    QVERIFY(record);
    // The Vela fan gets the 9-LED frame, the radiator its 10 % (a plain fan would get 23).
    QCOMPARE(record->lighting[0].size(), 42);
    QCOMPARE(at(record->lighting[0], 4), 0x11);
    QCOMPARE(record->duty[1], 10);
}

void AwtTest::plusRediscoveryKeepsTheAwtBox() {
    EngineRig rig(kAwtRig);
    ZynePlusCommandHelper engine;
    zyne::testing::settle(engine);
    QVERIFY(findBox(engine));
    // A resume or a device event looks for every Plus box again; none answers at index 0.
    engine.getZynePlus();
    QCOMPARE(engine.box(0).boxType, int(BoxAwt));
    rig.forget();
    engine.changeLightMode(0, 1, 3, 0, 2, false);
    engine.sendCommandReadFanSpeed(0);
    QVERIFY(drain(engine));
    const auto frames = framesToChip(rig);
    QCOMPARE(frames.size(), std::size_t(2));
    QCOMPARE(at(frames[0], 4), 0x22);
    QCOMPARE(at(frames[1], 4), 0x5A);
}

void AwtTest::unopenableHandleStillEndsPass() {
    EngineRig rig(kAwtRig);
    ZynePlusCommandHelper engine;
    zyne::testing::settle(engine);
    QSignalSpy passEnded(&engine, &ZynePlusCommandHelper::sendCheckAWTBoxSuccess);
    engine.checkAWTConnect(5); // the rig has one chip only
    QVERIFY(passEnded.wait(5000));
    QVERIFY(framesToChip(rig).empty());
    QCOMPARE(engine.awtController().handle(5), kNoChipHandle);

    engine.checkAWTConnect(16);
    engine.checkAWTConnect(-1);
    QVERIFY(drain(engine));
    QCOMPARE(passEnded.count(), 1);
}

void AwtTest::slowOpenLeavesTheGuiThreadAndPassesFollow() {
    EngineRig rig(kAwtRig);
    const auto gated = std::make_shared<GatedChipLink>(rig.sim().chipLink());
    installChipLink(gated);
    ZynePlusCommandHelper engine;
    QSignalSpy passEnded(&engine, &ZynePlusCommandHelper::sendCheckAWTBoxSuccess);
    engine.checkAWTConnect(0);
    engine.checkAWTConnect(0); // asked again while the open is out
    QCOMPARE(engine.awtController().handle(0), kNoChipHandle);
    gated->release();
    QVERIFY(drain(engine));

    // One open, off the GUI thread, answered both requests with a full pass each.
    const auto threads = gated->openThreads();
    QCOMPARE(threads.size(), std::size_t(1));
    QVERIFY(threads[0] != QThread::currentThread());
    QCOMPARE(passEnded.count(), 2);
    QCOMPARE(engine.box(0).boxType, int(BoxAwt));
    const auto frames = framesToChip(rig);
    QCOMPARE(std::count(frames.begin(), frames.end(), QByteArray::fromHex("264a20185a")), 2); // box 15
}

void AwtTest::handlesClosedWhileOpeningLetTheLateHandleGo() {
    EngineRig rig(kAwtRig);
    const auto gated = std::make_shared<GatedChipLink>(rig.sim().chipLink());
    installChipLink(gated);
    ZynePlusCommandHelper engine;
    QSignalSpy passEnded(&engine, &ZynePlusCommandHelper::sendCheckAWTBoxSuccess);
    engine.checkAWTConnect(0);
    engine.awtController().closeAllHandles(); // the chip left while the open was out...
    engine.checkAWTConnect(0);                // ...and came back
    gated->release();
    QVERIFY(drain(engine));

    // Both requests end. The handle that came too late was closed, and the slot opened again after
    // it, off the GUI thread: the box is found on the new handle.
    QCOMPARE(passEnded.count(), 2);
    const auto opened = gated->opened();
    QCOMPARE(opened.size(), std::size_t(2));
    for (QThread* thread : gated->openThreads())
        QVERIFY(thread != QThread::currentThread());
    QVERIFY(opened[0] != kNoChipHandle);
    QVERIFY(gated->wasClosed(opened[0]));
    QVERIFY(opened[1] != kNoChipHandle);
    QCOMPARE(engine.awtController().handle(0), opened[1]);
    QCOMPARE(engine.box(0).boxType, int(BoxAwt));
}

void AwtTest::missingChipIsOneWarning() {
    EngineRig rig(kAwtRig);
    QCOMPARE(rig.sim().control(QStringLiteral("unplug awt")), QStringLiteral("ok"));
    ZynePlusCommandHelper engine;
    zyne::testing::settle(engine);
    WarningCounter warnings("no AWT controller");
    QSignalSpy passEnded(&engine, &ZynePlusCommandHelper::sendCheckAWTBoxSuccess);
    probeAllSlots(engine);
    probeAllSlots(engine);
    QVERIFY(drain(engine));
    QCOMPARE(passEnded.count(), 32);
    QCOMPARE(warnings.count(), 1);

    // A chip that came and went is missed again when the next sweep finds none.
    QCOMPARE(rig.sim().control(QStringLiteral("plug awt")), QStringLiteral("ok"));
    probeAllSlots(engine);
    QVERIFY(drain(engine));
    QCOMPARE(engine.box(0).boxType, int(BoxAwt));
    QCOMPARE(warnings.count(), 1);
    QCOMPARE(rig.sim().control(QStringLiteral("unplug awt")), QStringLiteral("ok"));
    engine.awtController().closeAllHandles();
    probeAllSlots(engine);
    QVERIFY(drain(engine));
    QCOMPARE(warnings.count(), 2);
}

void AwtTest::fanSpeedDuty_data() {
    QTest::addColumn<int>("fanType");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("duty");
    QTest::newRow("fan at 10 % runs at 23") << 0 << 1 << 23;
    QTest::newRow("radiator at 10 % runs at 10") << 2 << 1 << 10;
    QTest::newRow("fan at 70 %") << 0 << 7 << 70;
    QTest::newRow("silent is 0 % for a pump") << 3 << 0 << 0;
    QTest::newRow("performance is 100 %") << 0 << 10 << 100;
}

void AwtTest::fanSpeedDuty() {
    QFETCH(int, fanType);
    QFETCH(int, level);
    QFETCH(int, duty);
    EngineRig rig(kAwtRig);
    ZynePlusCommandHelper engine;
    zyne::testing::settle(engine);
    QVERIFY(findBox(engine));
    engine.fanRecord(0, 2).FanType = fanType;
    rig.forget();
    engine.receiveChangeFanSpeedNum(0, 2, level);
    QVERIFY(drain(engine));
    const auto frames = framesToChip(rig);
    QCOMPARE(frames.size(), std::size_t(1));
    QCOMPARE(frames[0], QByteArray::fromHex("264a20095b04") + char(duty));
    QCOMPARE(rig.sim().awtRecord(0)->duty[2], duty);
    // Ports 3 and 4 exist on Plus boxes only.
    engine.receiveChangeFanSpeedNum(0, 3, level);
    QVERIFY(drain(engine));
    QCOMPARE(framesToChip(rig).size(), std::size_t(1));
}

void AwtTest::lightingEffectByte_data() {
    QTest::addColumn<int>("lightMode");
    QTest::addColumn<int>("colorMode");
    QTest::addColumn<int>("lightSpeed");
    QTest::addColumn<int>("effect");
    QTest::newRow("Blink at speed 2") << 3 << 0 << 2 << 0x28;
    QTest::newRow("Whirl at speed 3") << 5 << 0 << 3 << 0x0C;
    QTest::newRow("Snake at speed 1") << 0 << 0 << 1 << 0x54;
    QTest::newRow("Radar") << 2 << 0 << 0 << 0x10;
    QTest::newRow("Light, one colour") << 6 << 1 << 0 << 0x40;
}

void AwtTest::lightingEffectByte() {
    QFETCH(int, lightMode);
    QFETCH(int, colorMode);
    QFETCH(int, lightSpeed);
    QFETCH(int, effect);
    EngineRig rig(kAwtRig);
    ZynePlusCommandHelper engine;
    zyne::testing::settle(engine);
    QVERIFY(findBox(engine));
    RainbowFanState& fan = engine.fanRecord(0, 1);
    fan.Bright.fill(0.5f);
    fan.Bright[12] = 0.297f; // 29.7 %: truncated to 29
    rig.forget();
    engine.changeLightMode(0, 1, lightMode, colorMode, lightSpeed, false);
    QVERIFY(drain(engine));
    const QByteArray frame = rig.sim().awtRecord(0)->lighting[1];
    QCOMPARE(frame.size(), 54);
    QCOMPARE(at(frame, 4), 0x22);
    QCOMPARE(at(frame, 5), effect);
    // Colours go unscaled; brightness as a percentage.
    if (lightMode == 2) {
        QCOMPARE(frame.mid(6, 4), QByteArray::fromHex("ff000064"));
        QCOMPARE(frame.mid(10), QByteArray(44, '\0'));
    } else if (colorMode == 1) {
        for (int led = 0; led < 12; ++led)
            QCOMPARE(frame.mid(6 + 4 * led, 4), QByteArray::fromHex("ff00001d"));
    } else {
        QCOMPARE(frame.mid(6, 4), QByteArray::fromHex("007fff32")); // LED 0
        QCOMPARE(frame.mid(6 + 4 * 11, 4), QByteArray::fromHex("0000ff32"));
    }

    // A Vela fan takes the 9-LED frame; a port switched off gets the dark frame.
    engine.fanRecord(0, 2).FanType = 7;
    engine.changeLightMode(0, 2, lightMode, colorMode, lightSpeed, false);
    engine.changeLightMode(0, 0, lightMode, colorMode, lightSpeed, true);
    QVERIFY(drain(engine));
    const auto record = rig.sim().awtRecord(0);
    QCOMPARE(record->lighting[2].size(), 42);
    QCOMPARE(at(record->lighting[2], 4), 0x14);
    QCOMPARE(record->lighting[0], QByteArray::fromHex("264a200921") + char(0x40) + QByteArray(48, '\0'));
}

void AwtTest::speedReplyRaisesOneStall() {
    EngineRig rig(kAwtRig);
    ZynePlusCommandHelper engine;
    zyne::testing::settle(engine);
    QVERIFY(findBox(engine));
    QSignalSpy speeds(&engine, &ZynePlusCommandHelper::sendFanSpeed);
    engine.sendCommandReadFanSpeed(0);
    // Polls while one waits add nothing.
    engine.sendCommandReadFanSpeed(0);
    QVERIFY(drain(engine));
    QCOMPARE(speeds.count(), 3);
    QCOMPARE(speeds.at(0).at(2).toInt(), 1200);
    QCOMPARE(speeds.at(1).at(1).toInt(), 1);
    QCOMPARE(speeds.at(1).at(2).toInt(), 0);
    QCOMPARE(speeds.at(2).at(2).toInt(), 850);
    QVERIFY(engine.box(0).rainbowFan[1].stallWarned);
    QVERIFY(engine.box(0).awtFan[1].stallWarned);

    // The stalled port is not reported again until it runs.
    speeds.clear();
    engine.sendCommandReadFanSpeed(0);
    QVERIFY(drain(engine));
    QCOMPARE(speeds.count(), 2);
    QCOMPARE(rig.sim().control(QStringLiteral("rpm awt 0 1 640")), QStringLiteral("ok"));
    speeds.clear();
    engine.sendCommandReadFanSpeed(0);
    QVERIFY(drain(engine));
    QCOMPARE(speeds.count(), 3);
    QCOMPARE(speeds.at(1).at(2).toInt(), 640);
    QVERIFY(!engine.box(0).awtFan[1].stallWarned);
}

void AwtTest::busyChipHoldsQueueNotThread() {
    EngineRig rig(kAwtRig);
    ZynePlusCommandHelper engine;
    zyne::testing::settle(engine);
    QVERIFY(findBox(engine));
    QCOMPARE(rig.sim().control(QStringLiteral("behave awt silent")), QStringLiteral("ok"));
    rig.forget();
    AwtController& awt = engine.awtController();
    engine.receiveChangeFanSpeedNum(0, 0, 3);
    engine.receiveChangeFanSpeedNum(0, 1, 4);
    engine.receiveChangeFanSpeedNum(0, 2, 5);
    // Every tick returns at once; the chip holds the first command and the rest wait their turn.
    for (int tick = 0; tick < 5; ++tick)
        engine.sendAWTCommand();
    QTRY_COMPARE(framesToChip(rig).size(), std::size_t(1));
    QCOMPARE(awt.exchangesInFlight(), 1);
    QCOMPARE(awt.queuedCommands(), std::size_t(2));
    // The event loop keeps running meanwhile.
    bool ran = false;
    QTimer::singleShot(30, [&] { ran = true; });
    QTRY_VERIFY(ran);
    QCOMPARE(awt.exchangesInFlight(), 1);

    QCOMPARE(rig.sim().control(QStringLiteral("behave awt ok")), QStringLiteral("ok"));
    QVERIFY(drain(engine));
    const auto frames = framesToChip(rig);
    QCOMPARE(frames.size(), std::size_t(3));
    for (int port = 0; port < 3; ++port)
        QCOMPARE(frames[std::size_t(port)],
                 QByteArray::fromHex("264a20095b") + char(1 << port) + char(std::max(23, 30 + 10 * port)));
}

void AwtTest::unplugClosesHandleOnce() {
    EngineRig rig(kAwtRig);
    ZynePlusCommandHelper engine;
    zyne::testing::settle(engine);
    QVERIFY(findBox(engine));
    QSignalSpy lost(&engine.awtController(), &AwtController::boxLost);
    QCOMPARE(rig.sim().control(QStringLiteral("unplug awt")), QStringLiteral("ok"));
    rig.forget();
    for (int level = 0; level < 5; ++level)
        engine.receiveChangeFanSpeedNum(0, 0, level);
    engine.sendCommandReadFanSpeed(0);
    QVERIFY(drain(engine));
    // The first frame fails to go out; the handle closes and the rest are dropped unsent.
    bool allOk = true;
    QCOMPARE(framesToChip(rig, &allOk).size(), std::size_t(1));
    QVERIFY(!allOk);
    QCOMPARE(lost.count(), 1);
    QCOMPARE(engine.awtController().handle(0), kNoChipHandle);
    QCOMPARE(engine.box(0).boxType, int(BoxAbsent));
    QVERIFY(!awtPresenceStr().isPresent(0));

    // Plugged in again, the next pass finds it.
    QCOMPARE(rig.sim().control(QStringLiteral("plug awt")), QStringLiteral("ok"));
    QVERIFY(findBox(engine));
    QVERIFY(awtPresenceStr().isPresent(0));
}

void AwtTest::firmwareAndSave() {
    EngineRig rig(kAwtRig);
    ZynePlusCommandHelper engine;
    zyne::testing::settle(engine);
    QVERIFY(findBox(engine));
    QSignalSpy firmware(&engine, &ZynePlusCommandHelper::sendPlusFirmware);
    engine.receivePlusFirmware(0);
    QVERIFY(firmware.wait(5000));
    QCOMPARE(firmware.at(0).at(0).toString(), QStringLiteral("1.0.4"));

    // Saving a profile on the box sets its three fans and makes the controller keep them.
    for (int port = 0; port < 3; ++port)
        engine.receiveChangeFanSpeedNum(0, port, 6);
    engine.setSaveProfile(0, 2);
    QVERIFY(drain(engine));
    const auto record = rig.sim().awtRecord(0);
    QCOMPARE(record->saves, 1);
    QCOMPARE(record->duty, (std::array<int, 3>{60, 60, 60}));

    // A box without a chip handle has no firmware.
    firmware.clear();
    engine.receivePlusFirmware(4);
    QCOMPARE(firmware.count(), 1);
    QCOMPARE(firmware.at(0).at(0).toString(), QStringLiteral("0"));
}

void AwtTest::temperatureCurveAndTurnOff() {
    EngineRig rig(kAwtRig);
    ZynePlusCommandHelper engine;
    zyne::testing::settle(engine);
    QVERIFY(findBox(engine));
    engine.fanRecord(0, 1).Speed_Per = 2;
    engine.fanRecord(0, 2).FanType = 3; // a pump does not follow the curve
    rig.forget();
    engine.receiveGetTemperature(60);
    QVERIFY(drain(engine));
    const auto record = rig.sim().awtRecord(0);
    QCOMPARE(record->duty[0], 100);
    QCOMPARE(record->duty[1], 70);
    QCOMPARE(framesToChip(rig).size(), std::size_t(2));

    // The temperature mode shows one colour on all twelve LEDs.
    QSignalSpy started(&engine, &ZynePlusCommandHelper::sendStartComputTempTimer);
    engine.changeLightMode(0, 0, 14, 0, 0, false);
    QVERIFY(drain(engine));
    QCOMPARE(started.count(), 1);
    const QByteArray frame = rig.sim().awtRecord(0)->lighting[0];
    QCOMPARE(at(frame, 5), 0x40);
    for (int led = 1; led < 12; ++led)
        QCOMPARE(frame.mid(6 + 4 * led, 4), frame.mid(6, 4));
    QCOMPARE(at(frame, 9), 100);
}

void AwtTest::effectTicksReachAwtPorts() {
    EngineRig rig(kAwtRig);
    ZynePlusCommandHelper engine;
    zyne::testing::settle(engine);
    QVERIFY(findBox(engine));
    QSignalSpy meteorStarted(&engine, &ZynePlusCommandHelper::sendStartMeteorTimer);
    QSignalSpy musicClosed(&engine, &ZynePlusCommandHelper::sendCloseMusicModeTimer);
    QSignalSpy temperatureClosed(&engine, &ZynePlusCommandHelper::sendCloseComputTempTimer);
    for (int p = 0; p < 3; ++p)
        engine.fanRecord(0, p).Bright.fill(1.0f);
    engine.changeLightMode(0, 0, 14, 0, 0, false);
    engine.changeLightMode(0, 1, 17, 0, 0, false);
    engine.changeLightMode(0, 2, 12, 0, 0, false);
    QCOMPARE(meteorStarted.count(), 1);
    QVERIFY(drain(engine));
    auto record = rig.sim().awtRecord(0);
    // The lit meteor starts on a dark port.
    QCOMPARE(record->lighting[1].left(6), QByteArray::fromHex("264a20092240"));
    QCOMPARE(litEntries(record->lighting[1]), std::vector<int>{});

    // The temperature walks from blue: the colour goes out on all twelve LEDs.
    engine.receiveGetTemperature(40);
    engine.receiveGetTemperature(50);
    engine.sendCommandCPUTemp();
    engine.sendMeteor();
    engine.receiveMobileVolume(50);
    engine.runMusicModeTimer();
    QVERIFY(drain(engine));
    QCOMPARE(temperatureClosed.count(), 0);
    QCOMPARE(musicClosed.count(), 0);
    record = rig.sim().awtRecord(0);
    const QByteArray colour = record->lighting[0];
    QCOMPARE(colour.mid(6, 4), QByteArray::fromHex("002dff64")); // (0, 45, 255) at 100 %
    QCOMPARE(colour.mid(6 + 4 * 11, 4), colour.mid(6, 4));
    // The meteor's head on LED 1 with LED 0 behind it; the bar at the app's level 50 lights LEDs 0..6
    // and LED 7 at a tenth.
    QCOMPARE(litEntries(record->lighting[1]), (std::vector<int>{0, 1}));
    QCOMPARE(at(record->lighting[2], 5), 0x40);
    QCOMPARE(litEntries(record->lighting[2]), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));

    // Frames the chip has not taken yet are replaced by newer ones, not queued behind them.
    QCOMPARE(rig.sim().control(QStringLiteral("behave awt silent")), QStringLiteral("ok"));
    for (int tick = 0; tick < 50; ++tick) {
        engine.sendMeteor();
        engine.runMusicModeTimer();
        engine.sendAWTCommand();
    }
    QVERIFY(engine.awtController().queuedCommands() <= 2);
    QCOMPARE(rig.sim().control(QStringLiteral("behave awt ok")), QStringLiteral("ok"));
    QVERIFY(drain(engine));

    // Switched off, the three ports keep their dark frame whatever their effect's ticks do, and
    // the ticks close their timers.
    for (int p = 0; p < 3; ++p)
        engine.receiveTurnLed(0, p, 1);
    QVERIFY(drain(engine));
    rig.forget();
    engine.receiveGetTemperature(60);
    for (int tick = 0; tick < 30; ++tick) {
        engine.sendCommandCPUTemp();
        engine.sendMeteor();
        engine.runMusicModeTimer();
    }
    QVERIFY(drain(engine));
    for (const QByteArray& frame : framesToChip(rig)) // the curve's fan speeds go on
        QCOMPARE(at(frame, 4), 0x5B);
    QVERIFY(temperatureClosed.count() >= 1);
    QVERIFY(musicClosed.count() >= 1);
    record = rig.sim().awtRecord(0);
    for (int p = 0; p < 3; ++p)
        QCOMPARE(litEntries(record->lighting[std::size_t(p)]), std::vector<int>{});
}

QTEST_GUILESS_MAIN(AwtTest)
#include "tst_awt.moc"
