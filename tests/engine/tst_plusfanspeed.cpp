#include "EngineRig.h"
#include "PlusReports.h"
#include "ZynePlusCommandHelper.h"

#include <QSignalSpy>
#include <QtTest>

using namespace zyne;
using zyne::testing::EngineRig;
using zyne::testing::reportByte;
using zyne::testing::settle;

namespace {
// Fan-speed reports (32 51) written to box 0 since the rig forgot its history.
std::vector<QByteArray> speedReports(const EngineRig& rig) {
    std::vector<QByteArray> speeds;
    for (const auto& report : rig.reportsTo(0)) {
        if (reportByte(report, 0) == 0x32 && reportByte(report, 1) == 0x51)
            speeds.push_back(report);
    }
    return speeds;
}

int rpmOf(const QByteArray& report) {
    return reportByte(report, 5) + 256 * reportByte(report, 6);
}

constexpr char kOneBox[] = R"({"plus": [{"index": 0, "rpm": [1500, 0, 900, 0, 1200]}]})";
} // namespace

class PlusFanSpeedTest : public QObject {
    Q_OBJECT
private slots:
    void levelSlider_data();
    void levelSlider();
    void percentSlider();
    void temperatureCurve_data();
    void temperatureCurve();
    void fixedSpeedFollowsMode();
    void speedReplies();
    void stallReportedOnce();
    void pumpReportedOnEveryPoll();
    void badIndicesAndLevels();
};

void PlusFanSpeedTest::levelSlider_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("rpm");
    QTest::addColumn<int>("speedMode");
    QTest::newRow("0 is silent") << 0 << 400 << 1;
    QTest::newRow("4 is custom") << 4 << 800 << 0;
    QTest::newRow("10 is performance") << 10 << 1400 << 2;
}

void PlusFanSpeedTest::levelSlider() {
    QFETCH(int, level);
    QFETCH(int, rpm);
    QFETCH(int, speedMode);
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    rig.forget();
    engine.receiveChangeFanSpeedNum(0, 3, level);
    settle(engine);
    const auto sent = speedReports(rig);
    QCOMPARE(sent.size(), std::size_t(1));
    QCOMPARE(reportByte(sent[0], 2), 4);
    QCOMPARE(reportByte(sent[0], 3), 0x02);
    QCOMPARE(rpmOf(sent[0]), rpm);
    const RainbowFanState& fan = engine.box(0).rainbowFan[3];
    QCOMPARE(fan.SpeedMode, speedMode);
    QVERIFY(!fan.PWM);
    if (level == 10) {
        // Little-endian on the wire.
        QCOMPARE(reportByte(sent[0], 5), 0x78);
        QCOMPARE(reportByte(sent[0], 6), 0x05);
    }
}

void PlusFanSpeedTest::percentSlider() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    rig.forget();
    engine.receiveChangeFanSpeedPer(0, 1, 0);
    settle(engine);
    engine.receiveChangeFanSpeedPer(0, 1, 3);
    settle(engine);
    const auto sent = speedReports(rig);
    QCOMPARE(sent.size(), std::size_t(2));
    QCOMPARE(reportByte(sent[0], 3), 0x01);
    QCOMPARE(reportByte(sent[0], 4), 50);
    QCOMPARE(reportByte(sent[1], 4), 80);
    QCOMPARE(engine.box(0).rainbowFan[1].SpeedMode, 0);
    QVERIFY(engine.box(0).rainbowFan[1].PWM);
}

void PlusFanSpeedTest::temperatureCurve_data() {
    QTest::addColumn<int>("celsius");
    QTest::addColumn<int>("speedPer");
    QTest::addColumn<int>("duty");
    QTest::newRow("41 °C caps at 30") << 41 << 5 << 30;
    QTest::newRow("42 °C") << 42 << 5 << 40;
    QTest::newRow("50 °C") << 50 << 5 << 60;
    QTest::newRow("59 °C") << 59 << 5 << 90;
    QTest::newRow("60 °C full") << 60 << 5 << 100;
    QTest::newRow("60 °C limited by the slider") << 60 << 2 << 70;
}

void PlusFanSpeedTest::temperatureCurve() {
    QFETCH(int, celsius);
    QFETCH(int, speedPer);
    QFETCH(int, duty);
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    for (int p = 0; p < 5; ++p) {
        engine.fanRecord(0, p).Speed_Per = speedPer;
        settle(engine);
    }
    engine.fanRecord(0, 1).FanType = 3; // a pump keeps its own speed
    engine.fanRecord(0, 2).Monitor = false;
    settle(engine);
    engine.receivePlusSwitchPWM(0, 3, false);
    settle(engine);
    rig.forget();
    engine.receiveGetTemperature(celsius);
    settle(engine);
    const auto sent = speedReports(rig);
    QCOMPARE(sent.size(), std::size_t(2));
    QCOMPARE(reportByte(sent[0], 2), 1);
    QCOMPARE(reportByte(sent[1], 2), 5);
    for (const auto& report : sent) {
        QCOMPARE(reportByte(report, 3), 0x01);
        QCOMPARE(reportByte(report, 4), duty);
    }
    QCOMPARE(engine.temperature().current, celsius);
}

void PlusFanSpeedTest::fixedSpeedFollowsMode() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    rig.forget();
    // Under the curve the stored speed is not sent.
    engine.sendCommand_FanSpeed(0, 0);
    settle(engine);
    QVERIFY(speedReports(rig).empty());

    engine.receiveChangeFanSpeedNum(0, 0, 3);
    settle(engine);
    engine.receivePlusSwitchPWM(0, 0, true);
    settle(engine);
    engine.sendCommand_FanSpeed(0, 0);
    settle(engine);
    engine.receivePlusSwitchPWM(0, 0, false);
    settle(engine);
    engine.sendCommand_FanSpeed(0, 0);
    settle(engine);
    engine.fanRecord(0, 0).SpeedMode = 1;
    settle(engine);
    engine.sendCommand_FanSpeed(0, 0);
    settle(engine);
    const auto sent = speedReports(rig);
    QCOMPARE(sent.size(), std::size_t(4));
    QCOMPARE(rpmOf(sent[0]), 700);
    QCOMPARE(rpmOf(sent[1]), 700);
    QCOMPARE(rpmOf(sent[2]), 700);
    QCOMPARE(rpmOf(sent[3]), 400);
}

void PlusFanSpeedTest::speedReplies() {
    PlusReply reply{};
    const unsigned char good[] = {0x33, 0x51, 0x02, 0x00, 0x00, 0xDC, 0x05};
    std::copy(std::begin(good), std::end(good), reply.begin());
    const auto reading = parseSpeedReply(reply, 64);
    QVERIFY(reading);
    QCOMPARE(reading->port, 1);
    QCOMPARE(reading->rpm, 1500);

    QVERIFY(!parseSpeedReply(reply, 0));
    QVERIFY(!parseSpeedReply(reply, 2));
    reply[2] = 6;
    QVERIFY(!parseSpeedReply(reply, 64));
    reply[2] = 2;
    reply[0] = 0x32;
    QVERIFY(!parseSpeedReply(reply, 64));
}

void PlusFanSpeedTest::stallReportedOnce() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    QSignalSpy speeds(&engine, &ZynePlusCommandHelper::sendFanSpeed);
    engine.sendCommandReadFanSpeed(0);
    settle(engine);
    engine.sendCommandReadFanSpeed(0);
    settle(engine);

    auto reportsFor = [&](int port) {
        QList<QList<QVariant>> found;
        for (const auto& args : speeds) {
            if (args.at(1).toInt() == port)
                found << args;
        }
        return found;
    };
    const auto stalled = reportsFor(1);
    QCOMPARE(stalled.size(), 1);
    QCOMPARE(stalled[0].at(2).toInt(), 0);
    QCOMPARE(stalled[0].at(4).toBool(), false);
    QVERIFY(engine.box(0).rainbowFan[1].stallWarned);
    QCOMPARE(reportsFor(0).size(), 2);
    QCOMPARE(reportsFor(0)[0].at(2).toInt(), 1500);
    // The second poll's reports carry the box warning.
    QCOMPARE(reportsFor(0)[1].at(6).toBool(), true);

    // A fan that runs again clears its warning and is reported.
    QCOMPARE(rig.sim().control(QStringLiteral("rpm plus 0 1 700")), QStringLiteral("ok"));
    engine.sendCommandReadFanSpeed(0);
    settle(engine);
    QCOMPARE(reportsFor(1).size(), 2);
    QCOMPARE(reportsFor(1)[1].at(2).toInt(), 700);
    QVERIFY(!engine.box(0).rainbowFan[1].stallWarned);
}

void PlusFanSpeedTest::pumpReportedOnEveryPoll() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.fanRecord(0, 3).FanType = 3;
    settle(engine);
    engine.fanRecord(0, 1).Monitor = false;
    settle(engine);
    QSignalSpy speeds(&engine, &ZynePlusCommandHelper::sendFanSpeed);
    for (int poll = 0; poll < 3; ++poll) {
        engine.sendCommandReadFanSpeed(0);
        settle(engine);
    }
    int pumpReports = 0;
    for (const auto& args : speeds) {
        QVERIFY(args.at(1).toInt() != 1); // unmonitored ports are not polled
        if (args.at(1).toInt() == 3) {
            ++pumpReports;
            QCOMPARE(args.at(4).toBool(), false);
        }
    }
    QCOMPARE(pumpReports, 3);
}

void PlusFanSpeedTest::badIndicesAndLevels() {
    EngineRig rig(kOneBox);
    ZynePlusCommandHelper engine;
    settle(engine);
    rig.forget();
    engine.receiveChangeFanSpeedNum(0, 0, 11);
    settle(engine);
    engine.receiveChangeFanSpeedNum(0, 0, -1);
    settle(engine);
    engine.receiveChangeFanSpeedPer(0, 0, 6);
    settle(engine);
    engine.receiveChangeFanSpeedNum(16, 0, 3);
    settle(engine);
    engine.receiveChangeFanSpeedPer(0, 5, 3);
    settle(engine);
    engine.receivePlusSwitchPWM(-1, 0, false);
    settle(engine);
    engine.sendCommand_FanSpeed(0, 9);
    settle(engine);
    engine.sendCommandReadFanSpeed(99);
    settle(engine);
    QVERIFY(rig.reportsTo(0).empty());
    QCOMPARE(engine.box(0).rainbowFan[0].Speed_Num, 10);
}

QTEST_GUILESS_MAIN(PlusFanSpeedTest)
#include "tst_plusfanspeed.moc"
