#include "ComputerVolume.h"
#include "EngineRig.h"
#include "ZynePlusCommandHelper.h"

#include <QSignalSpy>
#include <QtTest>

using namespace zyne;
using zyne::testing::EngineRig;
using zyne::testing::reportByte;
using zyne::testing::settle;

namespace {
// Lighting reports (32 52) written to box 0 since the rig forgot its history.
std::vector<QByteArray> lightingReports(const EngineRig& rig) {
    std::vector<QByteArray> lighting;
    for (const auto& report : rig.reportsTo(0)) {
        if (reportByte(report, 0) == 0x32 && reportByte(report, 1) == 0x52)
            lighting.push_back(report);
    }
    return lighting;
}

// LED k's (green, red, blue) triple in a lighting report.
QByteArray triple(const QByteArray& report, int led) {
    return report.mid(1 + 4 + 3 * led, 3);
}

void setColour(RainbowFanState& fan, int entry, int red, int green, int blue, float bright) {
    fan.RColor[entry] = red;
    fan.GColor[entry] = green;
    fan.BColor[entry] = blue;
    fan.Bright[entry] = bright;
}

constexpr char kOneBox[] = R"({"plus": [{"index": 0}]})";
} // namespace

class PlusLightingTest : public QObject {
    Q_OBJECT
private slots:
    void modeBytes_data();
    void modeBytes();
    void colourScaling();
    void wholeFanColour();
    void pumpHeadTwoRings();
    void copyFollowsPortZeroInOrder();
    void copyOfSwitchedOffPort();
    void programModesStartTheirTimers();
    void computerMusicTimerStopsWithoutListeners();
    void modesWithoutReport_data();
    void modesWithoutReport();
    void badIndicesAndSpeeds_data();
    void badIndicesAndSpeeds();
    void recordAccessorsRefuseBadIndices();
};

void PlusLightingTest::modeBytes_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("modeByte");
    QTest::newRow("snake slow") << 0 << 3 << 0 << 3;
    QTest::newRow("cycle") << 1 << 1 << 1 << 5;
    QTest::newRow("radar") << 2 << 0 << 1 << 8;
    QTest::newRow("blink") << 3 << 2 << 3 << 14;
    QTest::newRow("breath speed 3 on port 2") << 4 << 3 << 2 << 19;
    QTest::newRow("whirl") << 5 << 1 << 4 << 21;
    QTest::newRow("light ignores speed") << 6 << 3 << 0 << 0x18;
}

void PlusLightingTest::modeBytes() {
    QFETCH(int, mode);
    QFETCH(int, speed);
    QFETCH(int, port);
    QFETCH(int, modeByte);
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    rig.forget();
    engine.changeLightMode(0, port, mode, 0, speed, false);
    settle(engine);
    const auto sent = lightingReports(rig);
    QCOMPARE(sent.size(), std::size_t(1));
    QCOMPARE(sent[0].size(), 65);
    QCOMPARE(reportByte(sent[0], 2), port + 1);
    QCOMPARE(reportByte(sent[0], 3), modeByte);
    if (mode <= 1)
        QCOMPARE(sent[0].mid(5), QByteArray(60, '\0'));
}

void PlusLightingTest::colourScaling() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    RainbowFanState& fan = engine.fanRecord(0, 4);
    for (int k = 0; k < 12; ++k)
        setColour(fan, k, 255, 255, 255, 1.0f);
    setColour(fan, 5, 255, 10, 200, 0.5f);
    rig.forget();
    engine.changeLightMode(0, 4, 6, 0, 0, false);
    settle(engine);
    const auto sent = lightingReports(rig);
    QCOMPARE(sent.size(), std::size_t(1));
    QCOMPARE(reportByte(sent[0], 2), 5);
    QCOMPARE(triple(sent[0], 0), QByteArray("\xff\xff\xff", 3));
    // 255 × 0.5 truncates to 127; green first.
    QCOMPARE(triple(sent[0], 5), QByteArray("\x05\x7f\x64", 3));
    QCOMPARE(sent[0].mid(1 + 40), QByteArray(24, '\0'));
}

void PlusLightingTest::wholeFanColour() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    RainbowFanState& fan = engine.fanRecord(0, 1);
    setColour(fan, kWholeFanEntry, 255, 0, 0, 1.0f);
    rig.forget();
    engine.changeLightMode(0, 1, 3, 1, 0, false);
    settle(engine);
    engine.changeLightMode(0, 1, 2, 1, 0, false);
    settle(engine);
    const auto sent = lightingReports(rig);
    QCOMPARE(sent.size(), std::size_t(2));
    for (int k = 0; k < 12; ++k)
        QCOMPARE(triple(sent[0], k), QByteArray("\x00\xff\x00", 3));
    // Radar carries the whole-fan colour in the first triple only.
    QCOMPARE(triple(sent[1], 0), QByteArray("\x00\xff\x00", 3));
    QCOMPARE(sent[1].mid(1 + 7), QByteArray(57, '\0'));
}

void PlusLightingTest::pumpHeadTwoRings() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    RainbowFanState& fan = engine.fanRecord(0, 2);
    fan.FanType = 1;
    for (int k = 0; k < 12; ++k)
        setColour(fan, k, 10 * k, 0, 0, 1.0f);
    setColour(fan, kWholeFanEntry, 0, 0, 99, 1.0f);
    rig.forget();
    engine.changeLightMode(0, 2, 6, 0, 0, false); // Light
    engine.changeLightMode(0, 2, 5, 1, 0, false); // Whirl ignores the whole-fan colour on a pump head
    engine.changeLightMode(0, 2, 3, 1, 0, false); // Blink with colour mode 1 shows the whole-fan colour
    settle(engine);
    const auto sent = lightingReports(rig);
    QCOMPARE(sent.size(), std::size_t(3));
    for (const auto& report : {sent[0], sent[1]}) {
        QCOMPARE(triple(report, 0), QByteArray("\x00\x0a\x00", 3));
        QCOMPARE(triple(report, 6), QByteArray("\x00\x0a\x00", 3));
        QCOMPARE(triple(report, 5), QByteArray("\x00\x6e\x00", 3));
        QCOMPARE(triple(report, 11), QByteArray("\x00\x6e\x00", 3));
    }
    QCOMPARE(triple(sent[2], 7), QByteArray("\x00\x00\x63", 3));
}

void PlusLightingTest::copyFollowsPortZeroInOrder() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.changeLightMode(0, 3, 7, 0, 0, false);
    settle(engine);
    engine.changeLightMode(0, 1, 7, 0, 0, false);
    settle(engine);
    rig.forget();
    engine.changeLightMode(0, 0, 4, 0, 2, false);
    settle(engine);
    const auto sent = lightingReports(rig);
    QCOMPARE(sent.size(), std::size_t(3));
    QCOMPARE(reportByte(sent[0], 2), 1);
    QCOMPARE(reportByte(sent[1], 2), 2);
    QCOMPARE(reportByte(sent[2], 2), 4);
    for (const auto& report : sent)
        QCOMPARE(reportByte(report, 3), 18);
    QCOMPARE(engine.box(0).rainbowFan[1].lightMode, 7);
    QCOMPARE(engine.box(0).rainbowFan[1].copyLightMode, 4);
}

void PlusLightingTest::copyOfSwitchedOffPort() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.changeLightMode(0, 2, 7, 0, 0, false);
    settle(engine);
    rig.forget();
    engine.changeLightMode(0, 0, 3, 0, 0, true);
    settle(engine);
    const auto sent = lightingReports(rig);
    QCOMPARE(sent.size(), std::size_t(2));
    QCOMPARE(reportByte(sent[1], 2), 3);
    QCOMPARE(reportByte(sent[1], 3), 0x18);
    QCOMPARE(sent[1].mid(5), QByteArray(60, '\0'));
    QVERIFY(engine.box(0).rainbowFan[2].isTurnOffLed);
}

void PlusLightingTest::programModesStartTheirTimers() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    QSignalSpy computerMusic(&engine, &ZynePlusCommandHelper::sendStartComputerMusicTimer);
    QSignalSpy music(&engine, &ZynePlusCommandHelper::sendStartMusicModeTimer);
    QSignalSpy temperature(&engine, &ZynePlusCommandHelper::sendStartComputTempTimer);
    QSignalSpy cross(&engine, &ZynePlusCommandHelper::sendStartCrossTimer);
    QSignalSpy meteor(&engine, &ZynePlusCommandHelper::sendStartMeteorTimer);
    QSignalSpy wave(&engine, &ZynePlusCommandHelper::sendStartBigWaveTimer);
    rig.forget();

    engine.changeLightMode(0, 0, 9, 0, 0, false);
    settle(engine);
    engine.changeLightMode(0, 0, 12, 0, 0, false);
    settle(engine);
    QCOMPARE(computerMusic.count(), 1);
    QCOMPARE(music.count(), 2);

    engine.receiveGetTemperature(55);
    settle(engine);
    rig.forget();
    engine.changeLightMode(0, 1, 14, 0, 0, false);
    settle(engine);
    QCOMPARE(temperature.count(), 1);
    auto sent = lightingReports(rig);
    QCOMPARE(sent.size(), std::size_t(1));
    QCOMPARE(reportByte(sent[0], 3), 0x19);
    // 55 °C: (127, 255, 0) sent green, red, blue.
    QCOMPARE(triple(sent[0], 0), QByteArray("\xff\x7f\x00", 3));
    QCOMPARE(sent[0].mid(1 + 7), QByteArray(57, '\0'));

    engine.changeLightMode(0, 2, 15, 0, 0, false);
    settle(engine);
    engine.changeLightMode(0, 0, 19, 0, 0, false);
    settle(engine);
    QCOMPARE(cross.count(), 1);
    QCOMPARE(wave.count(), 1);

    rig.forget();
    engine.changeLightMode(0, 3, 17, 0, 0, false);
    settle(engine);
    QCOMPARE(meteor.count(), 1);
    QCOMPARE(engine.meteor().seriesLightMode, 1);
    QCOMPARE(engine.meteor().head.port, 3);
    sent = lightingReports(rig);
    QCOMPARE(sent.size(), std::size_t(1));
    QCOMPARE(sent[0].mid(5), QByteArray(60, '\0'));

    RainbowFanState& fan = engine.fanRecord(0, 4);
    setColour(fan, 0, 200, 100, 50, 0.1f);
    rig.forget();
    engine.changeLightMode(0, 4, 18, 0, 1, false);
    settle(engine);
    QCOMPARE(meteor.count(), 2);
    QCOMPARE(engine.meteor().seriesLightMode, 2);
    sent = lightingReports(rig);
    QCOMPARE(sent.size(), std::size_t(1));
    // The dark meteor starts on the fan's own colours without brightness.
    QCOMPARE(triple(sent[0], 0), QByteArray("\x64\xc8\x32", 3));
}

void PlusLightingTest::computerMusicTimerStopsWithoutListeners() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    QSignalSpy close(&engine, &ZynePlusCommandHelper::sendCloseComputerMusicTimer);
    QVERIFY(!engine.findChild<ComputerVolume*>());
    engine.changeLightMode(0, 0, 9, 0, 0, false);
    settle(engine);
    // The capture starts connecting with the mode, before the first tick reads it.
    QVERIFY(engine.findChild<ComputerVolume*>());
    engine.changeLightMode(0, 3, 7, 0, 0, false);
    settle(engine);
    engine.getVolumeValue(0);
    settle(engine);
    QCOMPARE(close.count(), 0);

    // Port 0 leaves the music: its follower goes with it, and no port listens any more.
    engine.changeLightMode(0, 0, 3, 0, 0, false);
    settle(engine);
    engine.getVolumeValue(0);
    settle(engine);
    QCOMPARE(close.count(), 1);
}

void PlusLightingTest::modesWithoutReport_data() {
    QTest::addColumn<int>("mode");
    QTest::newRow("effect playback") << 16;
    QTest::newRow("N3 RGB Sync") << 20;
    QTest::newRow("beyond the list") << 21;
    QTest::newRow("negative") << -4;
}

void PlusLightingTest::modesWithoutReport() {
    QFETCH(int, mode);
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    rig.forget();
    engine.changeLightMode(0, 1, mode, 0, 0, false);
    settle(engine);
    QVERIFY(lightingReports(rig).empty());
    QCOMPARE(engine.box(0).rainbowFan[1].lightMode, mode);
}

void PlusLightingTest::badIndicesAndSpeeds_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("storedSpeed"); // -1: nothing may be stored or sent
    QTest::newRow("box 16") << 16 << 0 << 0 << -1;
    QTest::newRow("box -1") << -1 << 0 << 0 << -1;
    QTest::newRow("port 5") << 0 << 5 << 0 << -1;
    QTest::newRow("port -1") << 0 << -1 << 0 << -1;
    // The mobile app passes its speed straight in: the speed is clamped, the change still applies.
    QTest::newRow("speed 4 would be the next mode") << 0 << 0 << 4 << 3;
    QTest::newRow("speed -1") << 0 << 0 << -1 << 0;
    QTest::newRow("speed 1000") << 0 << 0 << 1000 << 3;
}

void PlusLightingTest::badIndicesAndSpeeds() {
    QFETCH(int, box);
    QFETCH(int, port);
    QFETCH(int, speed);
    QFETCH(int, storedSpeed);
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    rig.forget();
    engine.changeLightMode(box, port, 3, 0, speed, false);
    settle(engine);
    engine.refreshFanLed(box, port);
    settle(engine);
    if (storedSpeed < 0) {
        QVERIFY(lightingReports(rig).empty());
        return;
    }
    QCOMPARE(engine.box(0).rainbowFan[0].lightMode, 3);
    QCOMPARE(engine.box(0).rainbowFan[0].lightSpeed, storedSpeed);
    const auto sent = lightingReports(rig);
    QCOMPARE(sent.size(), std::size_t(2));
    for (const QByteArray& report : sent)
        QCOMPARE(reportByte(report, 3), 4 * 3 + storedSpeed);

    // A turn-off with a bad speed still turns the port off.
    engine.changeLightMode(0, 0, 3, 0, speed, true);
    settle(engine);
    QVERIFY(engine.box(0).rainbowFan[0].isTurnOffLed);
}

void PlusLightingTest::recordAccessorsRefuseBadIndices() {
    EngineRig rig(R"({"plus": [{"index": 0}, {"index": 1}]})");
    ZynePlusCommandHelper engine;
    settle(engine);
    const RainbowFanState before = engine.box(1).rainbowFan[0];
    // Just outside a box's ports lie the neighbouring fields of the records: nothing may land there.
    for (const auto& [box, port] : {std::pair{1, -1}, {0, 5}, {16, 0}, {-1, 0}, {1, 1000}}) {
        RainbowFanState& stray = engine.fanRecord(box, port);
        stray.FanName = QStringLiteral("stray");
        stray.lightMode = 17;
        stray.RColor.fill(255);
    }
    QVERIFY(engine.box(0).isPlusConnected());
    QVERIFY(engine.box(1).isPlusConnected());
    QCOMPARE(engine.box(1).Profile, 1);
    QCOMPARE(engine.box(1).rainbowFan[0].lightMode, before.lightMode);
    QCOMPARE(engine.box(1).rainbowFan[0].RColor, before.RColor);
    QCOMPARE(engine.box(16).boxType, int(BoxAbsent));
    QVERIFY(!engine.box(-1).isConnected);
    QVERIFY(!engine.box(16).worker);

    // The boxes still work.
    rig.forget();
    engine.changeLightMode(0, 4, 3, 0, 0, false);
    settle(engine);
    QCOMPARE(lightingReports(rig).size(), std::size_t(1));
}

QTEST_GUILESS_MAIN(PlusLightingTest)
#include "tst_pluslighting.moc"
