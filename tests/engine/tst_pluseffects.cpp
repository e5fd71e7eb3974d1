// The engine's effect ticks and the power-supply link, against the simulated rig.
#include "EngineRig.h"
#include "SelectedBox.h"
#include "ZynePlusCommandHelper.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

using namespace zyne;
using zyne::testing::EngineRig;
using zyne::testing::reportByte;
using zyne::testing::settle;

namespace {
constexpr char kOneBox[] = R"({"plus": [{"index": 0}]})";
constexpr char kBoxAndSupply[] = R"({"plus": [{"index": 0}], "power_supply": {"model": "VXD-1250-PT"}})";

std::vector<QByteArray> lightingTo(const EngineRig& rig, int box, int wirePort) {
    std::vector<QByteArray> out;
    for (const auto& report : rig.reportsTo(box)) {
        if (reportByte(report, 0) == 0x32 && reportByte(report, 1) == 0x52 &&
            reportByte(report, 2) == wirePort)
            out.push_back(report);
    }
    return out;
}

// Frames (30 42) written to the power supply.
std::vector<QByteArray> supplyFrames(EngineRig& rig) {
    std::vector<QByteArray> out;
    for (const auto& event : rig.sim().events()) {
        if (event.dev == QLatin1String("264a:2329") && event.dir == QLatin1String("out") &&
            reportByte(event.bytes, 0) == 0x30 && reportByte(event.bytes, 1) == 0x42)
            out.push_back(event.bytes);
    }
    return out;
}

int supplyWrites(EngineRig& rig) {
    int count = 0;
    for (const auto& event : rig.sim().events())
        count += event.dev == QLatin1String("264a:2329") && event.dir == QLatin1String("out") ? 1 : 0;
    return count;
}

void turnSyncOn(const EngineRig& rig) {
    QDir().mkpath(rig.settingsFolder());
    QFile ini(rig.settingsFolder() + QStringLiteral("/Device.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Main]\nisAutoRun=0\nLanguage=0\nisSyncPwrix=1\n");
}

void fullBrightness(ZynePlusCommandHelper& engine, int box, int port) {
    engine.fanRecord(box, port).Bright.fill(1.0f);
    settle(engine);
}

// Keeps the log lines written while it lives.
class LogLines {
public:
    LogLines() {
        s_lines.clear();
        m_previous = qInstallMessageHandler(&LogLines::handle);
    }
    ~LogLines() { qInstallMessageHandler(m_previous); }
    int count(const QString& line) const { return int(s_lines.count(line)); }
    int containing(const QString& text) const { return int(s_lines.filter(text).size()); }

private:
    static void handle(QtMsgType, const QMessageLogContext&, const QString& message) { s_lines << message; }
    static inline QStringList s_lines;
    QtMessageHandler m_previous = nullptr;
};

// Runs one tick of the timer that drives a software mode.
void tickFor(ZynePlusCommandHelper& engine, int mode) {
    switch (mode) {
    case 11:
        engine.runMusicModeTimer();
        break;
    case 14:
        engine.receiveGetTemperature(engine.temperature().current + 20);
        engine.sendCommandCPUTemp();
        break;
    case 15:
        engine.sendCross();
        break;
    case 16:
        engine.receiveEffect();
        break;
    case 17:
        engine.sendMeteor();
        break;
    case 19:
        engine.receiveBigWave();
        break;
    default:
        QFAIL("no tick for this mode");
    }
}
} // namespace

class PlusEffectsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { setSelectedBox(0); }
    void ticksDrawAndCloseTheirTimers();
    void meteorEntersOnALitOrDarkPort();
    void meteorLeavesNoTrailOnThePortBefore();
    void meteorSearchIsLogged();
    void switchedOffPortStaysDark_data();
    void switchedOffPortStaysDark();
    void seriesMeteorWalksSwitchedOffPorts();
    void playbackPlaysTheLoadedFrames();
    void temperatureTickFollowsSamples();
    void musicTickSmoothsAndStops();
    void goneBoxDoesNotStopTheOthers();
    void supplyMirrorsPortZeroOfTheSelectedBox();
    void supplyMusicFramesOnlyForAMirroredMusicPort();
    void supplyOfAnotherModelGetsNothing();
    void supplyThatVanishesIsClosedOnceAndFoundAgain();
    void slowSupplyIsLookedForWithoutWaitingAndLitOnceItAnswers();
};

void PlusEffectsTest::ticksDrawAndCloseTheirTimers() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    QSignalSpy crossStart(&engine, &ZynePlusCommandHelper::sendStartCrossTimer);
    QSignalSpy crossClose(&engine, &ZynePlusCommandHelper::sendCloseCrossTimer);
    QSignalSpy waveStart(&engine, &ZynePlusCommandHelper::sendStartBigWaveTimer);
    QSignalSpy waveClose(&engine, &ZynePlusCommandHelper::sendCloseBigWaveTimer);
    engine.changeLightMode(0, 1, 15, 0, 0, false);
    settle(engine);
    engine.changeLightMode(0, 2, 19, 0, 0, false);
    settle(engine);
    QCOMPARE(crossStart.count(), 1);
    QCOMPARE(waveStart.count(), 1);
    rig.forget();
    for (int i = 0; i < 3; ++i) {
        engine.sendCross();
        settle(engine);
        engine.receiveBigWave();
        settle(engine);
    }
    QCOMPARE(lightingTo(rig, 0, 2).size(), std::size_t(3));
    QCOMPARE(lightingTo(rig, 0, 3).size(), std::size_t(3));
    QCOMPARE(reportByte(lightingTo(rig, 0, 2)[2], 3), 0x18);
    QCOMPARE(crossClose.count(), 0);
    QCOMPARE(waveClose.count(), 0);

    engine.changeLightMode(0, 1, 6, 0, 0, false);
    settle(engine);
    engine.changeLightMode(0, 2, 6, 0, 0, false);
    settle(engine);
    engine.sendCross();
    settle(engine);
    engine.receiveBigWave();
    settle(engine);
    QCOMPARE(crossClose.count(), 1);
    QCOMPARE(waveClose.count(), 1);
}

void PlusEffectsTest::meteorEntersOnALitOrDarkPort() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    QSignalSpy start(&engine, &ZynePlusCommandHelper::sendStartMeteorTimer);
    QSignalSpy close(&engine, &ZynePlusCommandHelper::sendCloseMeteorTimer);
    rig.forget();
    engine.changeLightMode(0, 3, 18, 0, 0, false);
    settle(engine);
    // The dark meteor starts on the port's own colours, without brightness.
    auto sent = lightingTo(rig, 0, 4);
    QCOMPARE(sent.size(), std::size_t(1));
    QCOMPARE(sent[0].mid(5, 3), QByteArray("\x7f\x00\xff", 3));
    QCOMPARE(start.count(), 1);
    engine.sendMeteor();
    settle(engine);
    sent = lightingTo(rig, 0, 4);
    QCOMPARE(sent.size(), std::size_t(2));
    // LEDs 0 and 1 dark (head and trail), the series colours elsewhere.
    QCOMPARE(sent[1].mid(5, 6), QByteArray(6, '\0'));
    QCOMPARE(sent[1].mid(5 + 6, 3), QByteArray("\xff\x00\x7f", 3));

    engine.changeLightMode(0, 3, 6, 0, 0, false);
    settle(engine);
    for (int i = 0; i < 12 && close.isEmpty(); ++i) {
        engine.sendMeteor();
        settle(engine);
    }
    QCOMPARE(close.count(), 1);
}

void PlusEffectsTest::meteorLeavesNoTrailOnThePortBefore() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.changeLightMode(0, 0, 17, 0, 0, false);
    settle(engine);
    fullBrightness(engine, 0, 0);
    for (int i = 0; i < 5; ++i) {
        engine.sendMeteor();
        settle(engine);
    }
    // Port 2 enters the meteor while the meteor's trail lies on port 1.
    engine.changeLightMode(0, 1, 17, 0, 0, false);
    settle(engine);
    rig.forget();
    for (int i = 0; i < 3; ++i) {
        engine.sendMeteor();
        settle(engine);
    }
    // Port 1's last frame is dark: no LED of the old trail stays lit.
    const auto sent = lightingTo(rig, 0, 1);
    QVERIFY(!sent.empty());
    QCOMPARE(sent.back().mid(5), QByteArray(60, '\0'));
    QVERIFY(!lightingTo(rig, 0, 2).empty());
}

void PlusEffectsTest::meteorSearchIsLogged() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.changeLightMode(0, 3, 17, 0, 0, false);
    settle(engine);
    LogLines log;
    // Twelve steps walk port 4's LEDs; the last one searches on past box 15 back to port 4,
    // leaving every box through its last port once.
    for (int i = 0; i < 12; ++i) {
        engine.sendMeteor();
        settle(engine);
    }
    QCOMPARE(log.count(QStringLiteral("meteor[0].fanIndex > 4")), 16);
    QCOMPARE(log.count(QStringLiteral("lightModeType == 17.18")), 1);
    QCOMPARE(log.count(QStringLiteral("--------------------------------------------------")), 1);
    QCOMPARE(engine.meteor().head.box, 0);
    QCOMPARE(engine.meteor().head.port, 3);
}

void PlusEffectsTest::switchedOffPortStaysDark_data() {
    QTest::addColumn<int>("mode");
    QTest::newRow("mobile music") << 11;
    QTest::newRow("temperature") << 14;
    QTest::newRow("cross") << 15;
    QTest::newRow("playback") << 16;
    QTest::newRow("meteor") << 17;
    QTest::newRow("big wave") << 19;
}

void PlusEffectsTest::switchedOffPortStaysDark() {
    QFETCH(int, mode);
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    QSignalSpy musicClose(&engine, &ZynePlusCommandHelper::sendCloseMusicModeTimer);
    QSignalSpy temperatureClose(&engine, &ZynePlusCommandHelper::sendCloseComputTempTimer);
    QSignalSpy crossClose(&engine, &ZynePlusCommandHelper::sendCloseCrossTimer);
    QSignalSpy playbackClose(&engine, &ZynePlusCommandHelper::sendEffectTimerStop);
    QSignalSpy meteorClose(&engine, &ZynePlusCommandHelper::sendCloseMeteorTimer);
    QSignalSpy waveClose(&engine, &ZynePlusCommandHelper::sendCloseBigWaveTimer);
    engine.loadEffectFrames(std::vector<EffectFrame>(3));
    settle(engine);
    engine.receiveMobileVolume(50);
    settle(engine);
    engine.changeLightMode(0, 1, mode, 0, 0, false);
    settle(engine);
    fullBrightness(engine, 0, 1);
    tickFor(engine, mode);
    settle(engine);
    QVERIFY(!lightingTo(rig, 0, 2).empty());

    engine.receiveTurnLed(0, 1, 1);
    settle(engine);
    rig.forget();
    for (int i = 0; i < 30; ++i) {
        tickFor(engine, mode);
        settle(engine);
    }
    // The turn-off report was the last word: no tick lights the port again, and the timer stops.
    QVERIFY(lightingTo(rig, 0, 2).empty());
    const int closes = musicClose.count() + temperatureClose.count() + crossClose.count() +
                       playbackClose.count() + meteorClose.count() + waveClose.count();
    QVERIFY(closes >= 1);
}

void PlusEffectsTest::seriesMeteorWalksSwitchedOffPorts() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    QSignalSpy close(&engine, &ZynePlusCommandHelper::sendCloseMeteorTimer);
    engine.changeLightMode(0, 2, 17, 0, 0, false);
    settle(engine);
    fullBrightness(engine, 0, 2);
    // The series panel switches every port off on purpose and runs the meteor over them.
    engine.receiveSeriesLightMode(1);
    settle(engine);
    for (int port = 0; port < 5; ++port) {
        const RainbowFanState& fan = engine.box(0).rainbowFan[std::size_t(port)];
        engine.changeLightMode(0, port, fan.lightMode, fan.colorMode, fan.lightSpeed, true);
        settle(engine);
    }
    rig.forget();
    for (int i = 0; i < 30; ++i) {
        engine.sendMeteor();
        settle(engine);
    }
    QCOMPARE(close.count(), 0);
    QVERIFY(lightingTo(rig, 0, 3).size() >= 20);

    // Back to no series mode: the switched-off port is left alone.
    engine.receiveSeriesLightMode(0);
    settle(engine);
    rig.forget();
    for (int i = 0; i < 30; ++i) {
        engine.sendMeteor();
        settle(engine);
    }
    QVERIFY(lightingTo(rig, 0, 3).empty());
    QCOMPARE(close.count(), 1);
}

void PlusEffectsTest::playbackPlaysTheLoadedFrames() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    QSignalSpy start(&engine, &ZynePlusCommandHelper::sendEffectTimerStart);
    QSignalSpy stop(&engine, &ZynePlusCommandHelper::sendEffectTimerStop);
    engine.changeLightMode(0, 0, 16, 0, 0, false);
    settle(engine);
    engine.changeLightMode(0, 4, 16, 0, 0, false);
    settle(engine);
    std::vector<EffectFrame> frames(2);
    frames[0].red.fill(10);
    frames[1].red.fill(20);
    frames[1].brightPercent.fill(50);
    engine.loadEffectFrames(frames);
    settle(engine);
    QCOMPARE(start.count(), 1);
    rig.forget();
    for (int i = 0; i < 3; ++i) {
        engine.receiveEffect();
        settle(engine);
    }
    const auto port5 = lightingTo(rig, 0, 5);
    QCOMPARE(port5.size(), std::size_t(3));
    // Colours go out as the frame holds them; brightness is for the power supply only.
    QCOMPARE(reportByte(port5[0], 5), 10);
    QCOMPARE(reportByte(port5[1], 5), 20);
    QCOMPARE(reportByte(port5[2], 5), 10);
    QCOMPARE(lightingTo(rig, 0, 1).size(), std::size_t(3));
    QCOMPARE(stop.count(), 0);

    engine.loadEffectFrames({});
    settle(engine);
    engine.receiveEffect();
    settle(engine);
    QCOMPARE(stop.count(), 1);
}

void PlusEffectsTest::temperatureTickFollowsSamples() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    QSignalSpy close(&engine, &ZynePlusCommandHelper::sendCloseComputTempTimer);
    engine.receiveGetTemperature(40);
    settle(engine);
    engine.receiveGetTemperature(40);
    settle(engine);
    engine.changeLightMode(0, 2, 14, 0, 0, false);
    settle(engine);
    rig.forget();
    engine.sendCommandCPUTemp();
    settle(engine);
    QVERIFY(lightingTo(rig, 0, 3).empty()); // unchanged temperature: nothing written
    engine.receiveGetTemperature(50);
    settle(engine);
    engine.sendCommandCPUTemp();
    settle(engine);
    engine.sendCommandCPUTemp();
    settle(engine);
    const auto sent = lightingTo(rig, 0, 3);
    QCOMPARE(sent.size(), std::size_t(2));
    QCOMPARE(reportByte(sent[1], 3), 0x19);
    QCOMPARE(sent[1].mid(5, 3), QByteArray("\x5a\x00\xff", 3)); // G 90 after two steps of 45
    QCOMPARE(close.count(), 0);
    engine.changeLightMode(0, 2, 6, 0, 0, false);
    settle(engine);
    engine.sendCommandCPUTemp();
    settle(engine);
    QCOMPARE(close.count(), 1);
}

void PlusEffectsTest::musicTickSmoothsAndStops() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    QSignalSpy close(&engine, &ZynePlusCommandHelper::sendCloseMusicModeTimer);
    engine.changeLightMode(0, 0, 11, 0, 0, false);
    settle(engine);
    fullBrightness(engine, 0, 0);
    engine.receiveMobileVolume(60);
    settle(engine);
    rig.forget();
    engine.runMusicModeTimer();
    settle(engine);
    engine.receiveMobileVolume(20);
    settle(engine);
    engine.runMusicModeTimer();
    settle(engine);
    const auto sent = lightingTo(rig, 0, 1);
    QCOMPARE(sent.size(), std::size_t(2));
    // LED 0 is (0, 127, 255): blue 255 at 60 %, then at the smoothed 40 %.
    QCOMPARE(reportByte(sent[0], 6), 153);
    QCOMPARE(reportByte(sent[1], 6), 102);
    QCOMPARE(engine.musicLevels().smoothedMobile, 40);
    // The app's level is a percentage: anything beyond is taken as the nearest end.
    engine.receiveMobileVolume(250);
    QCOMPARE(engine.musicLevels().mobile, 100);
    engine.receiveMobileVolume(-7);
    QCOMPARE(engine.musicLevels().mobile, 0);
    engine.changeLightMode(0, 0, 6, 0, 0, false);
    settle(engine);
    engine.runMusicModeTimer();
    settle(engine);
    QCOMPARE(close.count(), 1);
}

void PlusEffectsTest::goneBoxDoesNotStopTheOthers() {
    EngineRig rig(R"({"plus": [{"index": 0}, {"index": 1}]})");
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.changeLightMode(0, 0, 15, 0, 0, false);
    settle(engine);
    engine.changeLightMode(1, 0, 15, 0, 0, false);
    settle(engine);
    QCOMPARE(rig.sim().control(QStringLiteral("unplug plus 0")), QStringLiteral("ok"));
    rig.forget();
    for (int i = 0; i < 4; ++i) {
        engine.sendCross();
        settle(engine);
    }
    QCOMPARE(lightingTo(rig, 1, 1).size(), std::size_t(4));
}

void PlusEffectsTest::supplyMirrorsPortZeroOfTheSelectedBox() {
    EngineRig rig(kBoxAndSupply);
    turnSyncOn(rig);
    ZynePlusCommandHelper engine;
    settle(engine);
    QVERIFY(engine.powerSupply().isPresent()); // hyphens left out of the model text
    fullBrightness(engine, 0, 0);
    engine.mirrorSelectedPortToPowerSupply();
    settle(engine);
    rig.forget();
    engine.changeLightMode(0, 0, 3, 0, 2, false);
    settle(engine);
    engine.changeLightMode(0, 1, 4, 0, 0, false); // other ports are not mirrored
    engine.changeLightMode(0, 0, 3, 0, 2, true);
    settle(engine);
    engine.changeLightMode(0, 0, 15, 0, 0, false); // software modes go through their ticks
    settle(engine);
    auto frames = supplyFrames(rig);
    QCOMPARE(frames.size(), std::size_t(2));
    QCOMPARE(reportByte(frames[0], 2), 14);
    QCOMPARE(frames[0].mid(4, 3), QByteArray("\x7f\x00\xff", 3));
    QCOMPARE(reportByte(frames[1], 2), 0x18);
    QCOMPARE(frames[1].mid(4), QByteArray(61, '\0'));

    // Every cross tick shows the cross position on the supply too.
    rig.forget();
    engine.sendCross();
    settle(engine);
    engine.sendCross();
    settle(engine);
    frames = supplyFrames(rig);
    QCOMPARE(frames.size(), std::size_t(2));
    QCOMPARE(frames[1].mid(4 + 3, 3), QByteArray("\xff\x00\xff", 3)); // LED 1 at position 1
}

void PlusEffectsTest::supplyMusicFramesOnlyForAMirroredMusicPort() {
    EngineRig rig(kBoxAndSupply);
    turnSyncOn(rig);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.changeLightMode(0, 0, 6, 0, 0, false);
    settle(engine);
    engine.changeLightMode(0, 1, 12, 0, 0, false);
    settle(engine);
    rig.forget();
    engine.runMusicModeTimer();
    settle(engine);
    QVERIFY(supplyFrames(rig).empty());
    engine.changeLightMode(0, 0, 13, 0, 0, false);
    settle(engine);
    rig.forget();
    engine.runMusicModeTimer();
    settle(engine);
    const auto frames = supplyFrames(rig);
    QCOMPARE(frames.size(), std::size_t(1));
    QCOMPARE(frames[0].mid(4), QByteArray(61, '\0')); // the mobile pair has no pattern on the supply
}

void PlusEffectsTest::supplyOfAnotherModelGetsNothing() {
    EngineRig rig(R"({"plus": [{"index": 0}], "power_supply": {"model": "XX-9000"}})");
    turnSyncOn(rig);
    LogLines log;
    {
        ZynePlusCommandHelper engine;
        settle(engine);
        QVERIFY(!engine.powerSupply().isPresent());
        rig.forget();
        engine.changeLightMode(0, 0, 3, 0, 0, false);
        settle(engine);
        QCOMPARE(supplyWrites(rig), 0);
        // Asked again when synchronisation starts: the model it answered is named once.
        engine.receiveStartSyncPwrix();
        settle(engine);
        QVERIFY(!engine.powerSupply().isPresent());
        QCOMPARE(
            log.containing(QStringLiteral("power supply model \"XX9000\" is not in the PwrixModels list")),
            1);
    }

    // The user adds it to the list in Device.ini.
    QFile ini(rig.settingsFolder() + QStringLiteral("/Device.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Main]\nisAutoRun=0\nLanguage=0\nisSyncPwrix=1\nPwrixModels=VXD-1250-PT,XX-9000\n");
    ini.close();
    ZynePlusCommandHelper engine;
    settle(engine);
    QVERIFY(engine.powerSupply().isPresent());
    rig.forget();
    engine.changeLightMode(0, 0, 3, 0, 0, false);
    settle(engine);
    QCOMPARE(supplyFrames(rig).size(), std::size_t(1));
}

void PlusEffectsTest::supplyThatVanishesIsClosedOnceAndFoundAgain() {
    EngineRig rig(kBoxAndSupply);
    turnSyncOn(rig);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.changeLightMode(0, 0, 15, 0, 0, false);
    settle(engine);
    QVERIFY(engine.powerSupply().isPresent());
    QCOMPARE(rig.sim().control(QStringLiteral("unplug psu")), QStringLiteral("ok"));
    rig.forget();
    for (int i = 0; i < 5; ++i) {
        engine.sendCross();
        settle(engine);
    }
    QVERIFY(!engine.powerSupply().isPresent());
    QCOMPARE(supplyWrites(rig), 1); // the one write that found it gone
    QCOMPARE(lightingTo(rig, 0, 1).size(), std::size_t(5));

    QCOMPARE(rig.sim().control(QStringLiteral("plug psu")), QStringLiteral("ok"));
    QTest::qWait(static_cast<int>(PowerSupplyLink::kRetryInterval.count()) + 100);
    rig.forget();
    // The tick has the supply's worker look for it; the next tick's frame goes to it.
    engine.sendCross();
    settle(engine);
    QVERIFY(engine.powerSupply().isPresent());
    QVERIFY(supplyFrames(rig).empty());
    engine.sendCross();
    settle(engine);
    QCOMPARE(supplyFrames(rig).size(), std::size_t(1));
}

void PlusEffectsTest::slowSupplyIsLookedForWithoutWaitingAndLitOnceItAnswers() {
    EngineRig rig(R"({"plus": [{"index": 0}], "power_supply": {"model": "VXD-1250-PT", "latency_ms": 40}})");
    turnSyncOn(rig);
    ZynePlusCommandHelper engine;
    // Neither start-up nor the sync switch waits for the supply's verdict.
    QVERIFY(!engine.powerSupply().isPresent());
    engine.changeLightMode(0, 0, 3, 0, 2, false);
    engine.receiveStartSyncPwrix();
    QVERIFY(!engine.powerSupply().isPresent());
    QVERIFY(settle(engine));
    QVERIFY(engine.powerSupply().isPresent());

    // One look answered both, and port 1 went to the supply after the model answer.
    std::vector<sim::TraceEvent> supply;
    for (const auto& event : rig.sim().events()) {
        if (event.dev == QLatin1String("264a:2329"))
            supply.push_back(event);
    }
    const auto isOut = [](const sim::TraceEvent& event, int r0) {
        return event.dir == QLatin1String("out") && reportByte(event.bytes, 0) == r0;
    };
    const auto query =
        std::find_if(supply.begin(), supply.end(), [&](const auto& e) { return isOut(e, 0x31); });
    QCOMPARE(std::count_if(supply.begin(), supply.end(), [&](const auto& e) { return isOut(e, 0x31); }), 1);
    const auto answer =
        std::find_if(query, supply.end(), [](const auto& e) { return e.dir == QLatin1String("in"); });
    const auto frame =
        std::find_if(supply.begin(), supply.end(), [&](const auto& e) { return isOut(e, 0x30); });
    QVERIFY(answer < frame);
    const auto frames = supplyFrames(rig);
    QCOMPARE(frames.size(), std::size_t(1));
    QCOMPARE(reportByte(frames[0], 2), 14);
}

QTEST_MAIN(PlusEffectsTest)
#include "tst_pluseffects.moc"
