// User scripts and demo shows played by the Plus engine, against the simulated rig.
#include "EngineRig.h"
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
constexpr char kTwoBoxes[] =
    R"({"plus": [{"index": 0}, {"index": 2}], "power_supply": {"model": "VXD-1250-PT"}})";

// Per-LED colour reports (32 52 port 18) to a box, as "port:red of LED 1".
QStringList perLed(const EngineRig& rig, int box) {
    QStringList out;
    for (const QByteArray& report : rig.reportsTo(box)) {
        if (reportByte(report, 0) == 0x32 && reportByte(report, 1) == 0x52 && reportByte(report, 3) == 0x18)
            out << QStringLiteral("%1:%2").arg(reportByte(report, 2)).arg(reportByte(report, 5));
    }
    return out;
}

// One frame lighting LED 1 of each given (box, fan) with that red value, "Br" 0.
QString frame(std::initializer_list<std::tuple<int, int, int>> fans) {
    QStringList controllers;
    for (const auto& [box, fan, red] : fans)
        controllers << QStringLiteral(R"({"ControllerNum":%1,"Fan%2":{"R":[%3,1,2,3,4,5,6,7,8,9,10,11],)"
                                      R"("G":[0,0,0,0,0,0,0,0,0,0,0,0],"B":[0,0,0,0,0,0,0,0,0,0,0,0],)"
                                      R"("Br":[0,0,0,0,0,0,0,0,0,0,0,0]}})")
                           .arg(box)
                           .arg(fan)
                           .arg(red);
    return QStringLiteral(R"({"Controller":[%1]})").arg(controllers.join(QLatin1Char(',')));
}
} // namespace

class PlusScriptsTest : public QObject {
    Q_OBJECT
private slots:
    void framesPlayInALoop();
    void onlyNamedOpenPortsAreWritten();
    void unreadableFramesWriteNothing();
    void demoShowOnEveryPort();
    void unknownDemoChangesNothing();
};

void PlusScriptsTest::framesPlayInALoop() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    QSignalSpy start(&engine, &ZynePlusCommandHelper::scriptTimerStart);
    engine.setScript({frame({{0, 0, 10}}), frame({{0, 0, 20}}), frame({{0, 0, 30}})});
    settle(engine);
    QCOMPARE(start.count(), 1);
    rig.forget();
    for (int i = 0; i < 4; ++i) {
        engine.runScript();
        settle(engine);
    }
    // "Br" 0 still shows the colour: brightness is not applied to scripts.
    QCOMPARE(perLed(rig, 0), (QStringList{"1:10", "1:20", "1:30", "1:10"}));

    // A new script starts at its first frame, even past the old one's length.
    engine.runScript();
    settle(engine);
    engine.setScript({frame({{0, 1, 40}}), frame({{0, 1, 50}})});
    settle(engine);
    QCOMPARE(engine.scriptPlayer().nextIndex(), 0);
    rig.forget();
    engine.runScript();
    settle(engine);
    QCOMPARE(perLed(rig, 0), (QStringList{"2:40"}));

    // An empty script stops the timer instead of ticking for nothing.
    QSignalSpy stop(&engine, &ZynePlusCommandHelper::scriptTimerStop);
    engine.setScript({});
    settle(engine);
    QCOMPARE(stop.count(), 1);
    rig.forget();
    engine.runScript();
    settle(engine);
    QVERIFY(rig.reportsTo(0).empty());
}

void PlusScriptsTest::onlyNamedOpenPortsAreWritten() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    // "Fan2" of box 2 writes port 3 there only; box 1 is not open and gets nothing.
    const int mode = engine.box(2).rainbowFan[2].lightMode;
    engine.setScript({frame({{2, 2, 77}, {1, 0, 5}})});
    settle(engine);
    rig.forget();
    engine.runScript();
    settle(engine);
    QCOMPARE(perLed(rig, 2), (QStringList{"3:77"}));
    QVERIFY(perLed(rig, 0).isEmpty());
    QVERIFY(perLed(rig, 1).isEmpty());
    // Scripts play whatever mode the ports are in.
    QCOMPARE(engine.box(2).rainbowFan[2].lightMode, mode);
}

void PlusScriptsTest::unreadableFramesWriteNothing() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.setScript({frame({{0, 0, 9}}), QStringLiteral("{not json"), QStringLiteral("[]")});
    settle(engine);
    QCOMPARE(engine.scriptPlayer().count(), 3);
    rig.forget();
    for (int i = 0; i < 4; ++i) {
        engine.runScript();
        settle(engine);
    }
    QCOMPARE(perLed(rig, 0), (QStringList{"1:9", "1:9"}));
}

void PlusScriptsTest::demoShowOnEveryPort() {
    EngineRig rig(kTwoBoxes);
    QDir().mkpath(rig.settingsFolder());
    QFile ini(rig.settingsFolder() + QStringLiteral("/Device.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Main]\nisAutoRun=0\nLanguage=0\nisSyncPwrix=1\n");
    ini.close();
    ZynePlusCommandHelper engine;
    settle(engine);
    QSignalSpy start(&engine, &ZynePlusCommandHelper::sendEffectTimerStart);
    engine.setupEffectMode(3); // HelloNvidia
    settle(engine);
    QCOMPARE(start.count(), 1);
    for (int box : {0, 2}) {
        for (int p = 0; p < kPlusPortCount; ++p)
            QCOMPARE(engine.box(box).rainbowFan[std::size_t(p)].lightMode, 16);
    }
    QVERIFY(engine.box(1).rainbowFan[0].lightMode != 16); // not open
    QCOMPARE(engine.effectPlayback().frames().size(), std::size_t(86));

    // Tick to the comet's frame k = 2: LED 2 (0, 255, 0) at 100 %, LED 1 (0, 76, 0) at 50 %.
    for (int i = 0; i < 48 + 2; ++i) {
        engine.receiveEffect();
        settle(engine);
    }
    rig.forget();
    engine.receiveEffect();
    settle(engine);
    std::vector<QByteArray> ports;
    for (const QByteArray& report : rig.reportsTo(2)) {
        if (reportByte(report, 0) == 0x32 && reportByte(report, 3) == 0x18)
            ports.push_back(report);
    }
    QCOMPARE(ports.size(), std::size_t(5));
    // Green, red, blue per LED from byte 4: the controllers get the colour as it stands.
    QCOMPARE(reportByte(ports[0], 4 + 3 * 1), 76);
    QCOMPARE(reportByte(ports[0], 4 + 3 * 2), 255);
    // The power supply gets it scaled by brightness.
    QByteArray supply;
    for (const auto& event : rig.sim().events()) {
        if (event.dev == QLatin1String("264a:2329") && event.dir == QLatin1String("out") &&
            reportByte(event.bytes, 0) == 0x30)
            supply = event.bytes;
    }
    QVERIFY(!supply.isEmpty());
    // Green of LED 1 at 50 %, of LED 2 at 100 % (the supply's LEDs start at report byte 4).
    QCOMPARE(reportByte(supply, 3 + 3 * 1), 38);
    QCOMPARE(reportByte(supply, 3 + 3 * 2), 255);
}

void PlusScriptsTest::unknownDemoChangesNothing() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.setupEffectMode(1);
    settle(engine);
    const std::size_t intel = engine.effectPlayback().frames().size();
    engine.changeLightMode(0, 1, 3, 0, 0, false);
    settle(engine);
    QSignalSpy start(&engine, &ZynePlusCommandHelper::sendEffectTimerStart);
    rig.forget();
    for (int number : {-1, 9, 100}) {
        engine.setupEffectMode(number);
        settle(engine);
        QCOMPARE(engine.effectPlayback().frames().size(), intel);
        QCOMPARE(engine.box(0).rainbowFan[1].lightMode, 3);
    }
    QCOMPARE(start.count(), 0);
    QVERIFY(rig.reportsTo(0).empty());
}

QTEST_MAIN(PlusScriptsTest)
#include "tst_plusscripts.moc"
