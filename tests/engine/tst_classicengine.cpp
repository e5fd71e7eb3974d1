#include "EngineRig.h"
#include "PresenceString.h"
#include "ProcessValues.h"
#include "ZyneCommandHelper.h"

#include <QSignalSpy>
#include <QtTest>

using namespace zyne;
using zyne::testing::EngineRig;
using zyne::testing::reportByte;

namespace {
// r[0..6] of every report written to the classic box, as hex.
QStringList heads(const std::vector<QByteArray>& reports) {
    QStringList out;
    for (const QByteArray& report : reports)
        out << QString::fromLatin1(report.mid(1, 7).toHex());
    return out;
}

void clearPresence() {
    for (int b = 0; b < kBoxCount; ++b) {
        checkControllerStr().setPresent(b, false);
        classicPresenceStr().setPresent(b, false);
    }
}
} // namespace

class ClassicEngineTest : public QObject {
    Q_OBJECT
private slots:
    void init() { clearPresence(); }

    void plusBoxKeepsItsIndex();
    void vanishedBoxReportsCannotControl();
    void lightModeReports_data();
    void lightModeReports();
    void colourIsStoredUntilTheNextRefresh();
    void copyOfPortZeroResendsAndRedrawsOnce();
    void fanSpeedLevels();
    void temperatureCurve();
    void pollingWarnsOnceForAStoppedFan();
    void firmwareAndAbsentBoxes();
    void randomAndMusicTicksStopWhenNoPortUsesThem();
    void ticksAreAdmittedOneAtATime();
};

void ClassicEngineTest::plusBoxKeepsItsIndex() {
    EngineRig rig(R"({"plus": [{"index": 0}], "classic": [{"index": 0}, {"index": 2}, {"index": 15}]})");
    checkControllerStr().setPresent(0, true);
    ZyneCommandHelper engine;
    engine.getZyneController();

    const auto opened = rig.openedProductIds();
    QVERIFY(std::find(opened.begin(), opened.end(), 0x1F41) == opened.end());
    QVERIFY(std::find(opened.begin(), opened.end(), 0x1F50) != opened.end());
    QCOMPARE(classicPresenceStr().text(), QStringLiteral("0010000000000001"));
    QCOMPARE(engine.box(2).boxType, kClassicBoxFound);
    QVERIFY(!engine.box(0).isConnected);
    QVERIFY(rig.classicReportsTo(0).empty());
    // Probe first, then each port's lighting: the fresh profile shows steady yellow.
    QCOMPARE(heads(rig.classicReportsTo(2)),
             QStringList({"fe330000000000", "32520100ffff00", "32520200ffff00", "32520300ffff00"}));
}

void ClassicEngineTest::vanishedBoxReportsCannotControl() {
    EngineRig rig(R"({"classic": [{"index": 4}]})");
    ZyneCommandHelper engine;
    engine.getZyneController();
    QSignalSpy canControl(&engine, &ZyneCommandHelper::sendCanControl);

    QCOMPARE(rig.sim().control(QStringLiteral("unplug classic 4")), QStringLiteral("ok"));
    engine.getZyneControllerByOne(4);
    QCOMPARE(canControl.count(), 1);
    QCOMPARE(canControl.at(0).at(1).toBool(), false);
    QVERIFY(!classicPresenceStr().isPresent(4));
    rig.forget();
    engine.changeLightMode(4, 0, 0, false);
    QVERIFY(rig.classicReportsTo(4).empty());

    QCOMPARE(rig.sim().control(QStringLiteral("behave classic 4 probe_fails")), QStringLiteral("ok"));
    QCOMPARE(rig.sim().control(QStringLiteral("plug classic 4")), QStringLiteral("ok"));
    engine.getZyneControllerByOne(4);
    QCOMPARE(canControl.at(1).at(1).toBool(), false);
    QCOMPARE(rig.sim().control(QStringLiteral("behave classic 4 ok")), QStringLiteral("ok"));
    engine.getZyneControllerByOne(4);
    QCOMPARE(canControl.at(2).at(1).toBool(), true);

    engine.getZyneControllerByOne(16);
    QCOMPARE(canControl.count(), 3);
}

void ClassicEngineTest::lightModeReports_data() {
    QTest::addColumn<int>("lightMode");
    QTest::addColumn<bool>("isTurnOff");
    QTest::addColumn<QString>("report"); // empty: nothing written
    QTest::addColumn<int>("randomStarts");
    QTest::addColumn<int>("musicStarts");
    // Colour 200, 100, 51 at brightness 0.5 on port index 1.
    QTest::newRow("steady") << 0 << false << "32520200643219" << 0 << 0;
    QTest::newRow("cycle has no colour") << 1 << false << "32520201000000" << 0 << 0;
    QTest::newRow("blink") << 2 << false << "32520202643219" << 0 << 0;
    QTest::newRow("random") << 3 << false << "" << 1 << 0;
    QTest::newRow("music") << 7 << false << "" << 0 << 1;
    QTest::newRow("unknown mode is steady") << 5 << false << "32520200643219" << 0 << 0;
    QTest::newRow("turned off") << 2 << true << "32520200000000" << 0 << 0;
}

void ClassicEngineTest::lightModeReports() {
    QFETCH(int, lightMode);
    QFETCH(bool, isTurnOff);
    QFETCH(QString, report);
    EngineRig rig(R"({"classic": [{"index": 1}]})");
    ZyneCommandHelper engine;
    engine.getZyneController();
    engine.receiveRGBData(1, 200, 100, 51, 0.5f, 1);
    QSignalSpy random(&engine, &ZyneCommandHelper::sendStartRandomModeTimer);
    QSignalSpy music(&engine, &ZyneCommandHelper::sendStartMusicModeTimer);
    rig.forget();

    engine.changeLightMode(1, 1, lightMode, isTurnOff);
    QCOMPARE(heads(rig.classicReportsTo(1)), report.isEmpty() ? QStringList() : QStringList{report});
    QTEST(int(random.count()), "randomStarts");
    QTEST(int(music.count()), "musicStarts");
    // The controller keeps what it was last told.
    if (!report.isEmpty())
        QCOMPARE(QString::fromLatin1(rig.sim().classicRecord(1)->lighting[1].left(7).toHex()), report);
}

void ClassicEngineTest::colourIsStoredUntilTheNextRefresh() {
    EngineRig rig(R"({"classic": [{"index": 0}]})");
    ZyneCommandHelper engine;
    engine.getZyneController();
    rig.forget();
    engine.receiveRGBData(0, 300, -4, 10, 2.0f, 2);
    QVERIFY(rig.classicReportsTo(0).empty());
    engine.receiveBright(0, 2, 0.5f);
    QCOMPARE(heads(rig.classicReportsTo(0)), QStringList{"325203007f0005"});
    QCOMPARE(engine.box(0).fans[2].RColor, 255);
    QCOMPARE(engine.box(0).fans[2].GColor, 0);
    // Port 3 does not exist on a classic box.
    engine.receiveBright(0, 3, 1.0f);
    engine.receiveSwitchLed(0, 0, true);
    QCOMPARE(heads(rig.classicReportsTo(0)).last(), QStringLiteral("32520100000000"));
    QCOMPARE(rig.classicReportsTo(0).size(), std::size_t(2));
}

void ClassicEngineTest::copyOfPortZeroResendsAndRedrawsOnce() {
    EngineRig rig(R"({"classic": [{"index": 3}]})");
    ZyneCommandHelper engine;
    engine.getZyneController();
    engine.receiveRGBData(3, 10, 20, 30, 1.0f, 0);
    engine.changeLightMode(3, 0, 2, false);
    rig.forget();
    QSignalSpy redraw(&engine, &ZyneCommandHelper::sendResetMainView);

    engine.receiveZyneCopy(3, 2);
    QCOMPARE(heads(rig.classicReportsTo(3)), QStringList{"325203020a141e"});
    QCOMPARE(redraw.count(), 1);
    QCOMPARE(redraw.at(0).at(0).toInt(), 3);
    QCOMPARE(redraw.at(0).at(1).toInt(), 2);
    QCOMPARE(redraw.at(0).at(2).toInt(), 2);
    QCOMPARE(redraw.at(0).at(3).toInt(), 10);
}

void ClassicEngineTest::fanSpeedLevels() {
    EngineRig rig(R"({"classic": [{"index": 0}]})");
    ZyneCommandHelper engine;
    engine.getZyneController();
    rig.forget();

    // Under the curve a new level is only stored.
    engine.receiveChangeFanSpeed(0, 0, 3, 0);
    QVERIFY(rig.classicReportsTo(0).empty());
    engine.receiveZyneSwitchPWM(0, 0, false);
    QCOMPARE(heads(rig.classicReportsTo(0)), QStringList{"325101033c0000"});
    engine.receiveChangeFanSpeed(0, 0, 0, 0);
    QCOMPARE(engine.box(0).fans[0].SpeedMode, 1);
    engine.receiveChangeFanSpeed(0, 0, 5, 0);
    QCOMPARE(engine.box(0).fans[0].SpeedMode, 2);
    engine.receiveChangeFanSpeed(0, 0, 6, 0);
    QCOMPARE(engine.box(0).fans[0].Speed, 5);
    const auto sent = rig.classicReportsTo(0);
    QCOMPARE(sent.size(), std::size_t(3));
    QCOMPARE(reportByte(sent[1], 4), 0);
    QCOMPARE(reportByte(sent[2], 4), 100);
}

void ClassicEngineTest::temperatureCurve() {
    EngineRig rig(R"({"classic": [{"index": 0}, {"index": 1}]})");
    ZyneCommandHelper engine;
    engine.getZyneController();
    engine.receiveChangeFanSpeed(0, 1, 2, 0);
    engine.receiveZyneMonitor(0, 2, false);
    engine.receiveZyneSwitchPWM(1, 0, false);
    rig.forget();

    engine.receiveTempetatureToZyne(41);
    // Below 42 °C the curve allows 30 %; port 2 is not monitored.
    QCOMPARE(heads(rig.classicReportsTo(0)), QStringList({"325101031e0000", "325102031e0000"}));
    rig.forget();
    engine.receiveTempetatureToZyne(60);
    // Level 5 lets the curve reach 100; level 2 caps it at 70. Box 1's port 0 is off the curve.
    QCOMPARE(heads(rig.classicReportsTo(0)), QStringList({"32510103640000", "32510203460000"}));
    QCOMPARE(heads(rig.classicReportsTo(1)), QStringList({"32510203640000", "32510303640000"}));
}

void ClassicEngineTest::pollingWarnsOnceForAStoppedFan() {
    EngineRig rig(R"({"classic": [{"index": 2, "rpm": [900, 0, 700]}]})");
    ZyneCommandHelper engine;
    engine.getZyneController();
    engine.receiveZyneMonitor(2, 2, false);
    QSignalSpy speeds(&engine, &ZyneCommandHelper::sendFanSpeed);

    engine.sendCommandReadFanSpeed(2);
    engine.sendCommandReadFanSpeed(2);
    // Port 2 is not monitored; the stopped port 1 is reported once, with the box warning after.
    QCOMPARE(speeds.count(), 3);
    QCOMPARE(speeds.at(0).at(2).toInt(), 900);
    QCOMPARE(speeds.at(1).at(1).toInt(), 1);
    QCOMPARE(speeds.at(1).at(2).toInt(), 0);
    QCOMPARE(speeds.at(1).at(6).toBool(), false);
    QCOMPARE(speeds.at(2).at(1).toInt(), 0);
    QCOMPARE(speeds.at(2).at(6).toBool(), true);
    QVERIFY(engine.box(2).fans[1].stallWarned);

    QCOMPARE(rig.sim().control(QStringLiteral("rpm classic 2 1 650")), QStringLiteral("ok"));
    engine.sendCommandReadFanSpeed(2);
    QCOMPARE(speeds.count(), 5);
    QCOMPARE(speeds.at(4).at(2).toInt(), 650);
    QVERIFY(!engine.box(2).fans[1].stallWarned);
    // Nothing polls a box that is not there.
    engine.sendCommandReadFanSpeed(3);
    engine.sendCommandReadFanSpeed(-1);
    QCOMPARE(speeds.count(), 5);
}

void ClassicEngineTest::firmwareAndAbsentBoxes() {
    EngineRig rig(R"({"classic": [{"index": 5, "firmware": [2, 1, 9]}]})");
    ZyneCommandHelper engine;
    engine.getZyneController();
    QSignalSpy firmware(&engine, &ZyneCommandHelper::sendZyneFirmware);
    engine.receiveZyneFirmware(5);
    engine.receiveZyneFirmware(6);
    QCOMPARE(firmware.at(0).at(0).toString(), QStringLiteral("2.1.9"));
    QCOMPARE(firmware.at(1).at(0).toString(), QStringLiteral("0"));
}

void ClassicEngineTest::randomAndMusicTicksStopWhenNoPortUsesThem() {
    EngineRig rig(R"({"classic": [{"index": 0}]})");
    ZyneCommandHelper engine;
    engine.getZyneController();
    engine.receiveRGBData(0, 200, 100, 0, 1.0f, 1);
    engine.changeLightMode(0, 0, 3, false);
    engine.changeLightMode(0, 1, 7, false);
    QSignalSpy randomClosed(&engine, &ZyneCommandHelper::sendCloseRandomModeTimer);
    QSignalSpy musicClosed(&engine, &ZyneCommandHelper::sendCloseMusicModeTimer);
    rig.forget();

    engine.receiveRandomMode();
    engine.receiveMobileVolume(50);
    engine.runMusicModeTimer();
    const auto sent = rig.classicReportsTo(0);
    QCOMPARE(sent.size(), std::size_t(2));
    QCOMPARE(reportByte(sent[0], 2), 1);
    QCOMPARE(reportByte(sent[0], 3), 0);
    // The level reached from 0 is taken at once: half the colour.
    QCOMPARE(QString::fromLatin1(sent[1].mid(1, 7).toHex()), QStringLiteral("32520200643200"));
    QCOMPARE(randomClosed.count() + musicClosed.count(), 0);

    engine.changeLightMode(0, 0, 0, false);
    engine.receiveSwitchLed(0, 1, true);
    rig.forget();
    engine.receiveRandomMode();
    engine.runMusicModeTimer();
    QVERIFY(rig.classicReportsTo(0).empty());
    QCOMPARE(randomClosed.count(), 1);
    QCOMPARE(musicClosed.count(), 1);
    setMobileMusicLevel(0);
}

void ClassicEngineTest::ticksAreAdmittedOneAtATime() {
    EngineRig rig(R"({})");
    ZyneCommandHelper engine;
    using Tick = ZyneCommandHelper::Tick;
    QVERIFY(engine.admitTick(Tick::SpeedPoll));
    QVERIFY(!engine.admitTick(Tick::SpeedPoll));
    QVERIFY(engine.admitTick(Tick::Music));
    engine.sendCommandReadFanSpeed(0);
    QVERIFY(engine.admitTick(Tick::SpeedPoll));
    QVERIFY(!engine.admitTick(Tick::Music));
    QVERIFY(engine.admitTick(Tick::Random));
}

QTEST_MAIN(ClassicEngineTest)
#include "tst_classicengine.moc"
