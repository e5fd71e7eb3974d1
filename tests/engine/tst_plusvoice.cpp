#include "EngineRig.h"
#include "HotKeyCommands.h"
#include "PresenceString.h"
#include "SelectedBox.h"
#include "SpeechCommands.h"
#include "ZynePlusCommandHelper.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <limits>
#include <thread>

using namespace zyne;
using zyne::testing::EngineRig;
using zyne::testing::reportByte;
using zyne::testing::settle;

namespace {
constexpr char kTwoBoxes[] = R"({"plus": [{"index": 0}, {"index": 1}]})";

std::vector<QByteArray> reportsOfKind(const EngineRig& rig, int box, unsigned char kind) {
    std::vector<QByteArray> found;
    for (const auto& report : rig.reportsTo(box)) {
        if (reportByte(report, 0) == 0x32 && reportByte(report, 1) == kind)
            found.push_back(report);
    }
    return found;
}

std::vector<QByteArray> lightingReports(const EngineRig& rig, int box) {
    return reportsOfKind(rig, box, 0x52);
}

int viewReports(ZynePlusCommandHelper& engine, const std::function<void()>& command) {
    int count = 0;
    QObject context;
    QObject::connect(&engine, &ZynePlusCommandHelper::sendResetMainView, &context, [&count] { ++count; });
    command();
    return count;
}
} // namespace

class PlusVoiceTest : public QObject {
    Q_OBJECT
private slots:
    void init() { setSelectedBox(0); }

    // Hot keys, per port
    void hotKeyChanges_data();
    void hotKeyChanges();
    void hotKeyBrightnessStopsAtTheEnds();

    // Hot keys on the boxes
    void hotKeyRefreshesEveryPresentBoxAndReportsTheShownOne();
    void hotKeyWithUnknownValueWritesNothing();
    void hotKeyProfileLoadsWithoutSelectingIt();

    // Voice commands
    void speechModeKeepsNegativesAndFiltersByFanType();
    void speechModeOutOfRangeIsRefused();
    void speechColourBrightnessPerFanType_data();
    void speechColourBrightnessPerFanType();
    void speechColourOnlyTouchesSelectedLeds();
    void speechFanSpeedByPwm();
    void speechFanSpeedOutOfRangeIsRefused();
    void speechOnlyLogs();

    // Process-wide values the classic worker and the servers read
    void selectedBoxAndPresenceAcrossThreads();
};

void PlusVoiceTest::hotKeyChanges_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("speedBefore");
    QTest::addColumn<int>("lightMode");
    QTest::addColumn<int>("colorMode");
    QTest::addColumn<int>("lightSpeed");
    QTest::addColumn<bool>("off");
    // Records start in Blink, RGB, speed as given, lit.
    QTest::newRow("speed up") << 2 << 0 << 1 << 3 << 0 << 2 << false;
    QTest::newRow("speed up wraps 3 to 0") << 2 << 0 << 3 << 3 << 0 << 0 << false;
    QTest::newRow("speed down wraps 0 to 3") << 3 << 0 << 0 << 3 << 0 << 3 << false;
    QTest::newRow("speed down") << 3 << 9 << 2 << 3 << 0 << 1 << false;
    QTest::newRow("single colour") << 4 << 1 << 0 << 3 << 1 << 0 << false;
    QTest::newRow("switch off") << 4 << 2 << 0 << 3 << 0 << 0 << true;
    QTest::newRow("switch on") << 4 << 3 << 0 << 3 << 0 << 0 << false;
    QTest::newRow("music 2") << 5 << 1 << 0 << 9 << 0 << 0 << false;
    QTest::newRow("radar") << 5 << 5 << 0 << 2 << 0 << 0 << false;
    QTest::newRow("temperature") << 6 << 4 << 0 << 14 << 0 << 0 << false;
    QTest::newRow("whirl") << 6 << 2 << 0 << 5 << 0 << 0 << false;
    QTest::newRow("mode value out of range") << 6 << 5 << 0 << 3 << 0 << 0 << false;
    QTest::newRow("negative value") << 5 << -1 << 0 << 3 << 0 << 0 << false;
    QTest::newRow("unknown command") << 8 << 0 << 0 << 3 << 0 << 0 << false;
}

void PlusVoiceTest::hotKeyChanges() {
    QFETCH(int, command);
    QFETCH(int, value);
    QFETCH(int, speedBefore);
    RainbowFanState fan;
    fan.lightMode = 3;
    fan.colorMode = 0;
    fan.lightSpeed = speedBefore;
    fan.isTurnOffLed = false;
    hotkey::apply(fan, command, value);
    QTEST(fan.lightMode, "lightMode");
    QTEST(fan.colorMode, "colorMode");
    QTEST(fan.lightSpeed, "lightSpeed");
    QTEST(fan.isTurnOffLed, "off");
}

void PlusVoiceTest::hotKeyBrightnessStopsAtTheEnds() {
    RainbowFanState fan;
    fan.colorMode = 0;
    fan.Bright.fill(0.5f);
    fan.Bright[0] = 0.95f;
    fan.Bright[1] = 0.05f;
    hotkey::apply(fan, hotkey::BrightnessUp, 0);
    QCOMPARE(fan.Bright[0], 1.0f);
    QCOMPARE(fan.Bright[2], 0.6f);
    // RGB leaves the whole-fan factor alone.
    QCOMPARE(fan.Bright[12], 0.5f);
    hotkey::apply(fan, hotkey::BrightnessDown, 0);
    hotkey::apply(fan, hotkey::BrightnessDown, 0);
    QCOMPARE(fan.Bright[1], 0.0f);
    QCOMPARE(fan.Bright[0], 0.8f);

    fan.colorMode = 1;
    fan.Bright[12] = 0.95f;
    hotkey::apply(fan, hotkey::BrightnessUp, 0);
    QCOMPARE(fan.Bright[12], 1.0f);
    QCOMPARE(fan.Bright[0], 0.8f);

    // Colours switched off ("OFF") have no factor to step.
    fan.colorMode = 2;
    const auto before = fan.Bright;
    hotkey::apply(fan, hotkey::BrightnessDown, 0);
    QCOMPARE(fan.Bright, before);
}

void PlusVoiceTest::hotKeyRefreshesEveryPresentBoxAndReportsTheShownOne() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    for (int b = 0; b < 2; ++b) {
        for (int p = 0; p < kPlusPortCount; ++p) {
            engine.changeLightMode(b, p, 3, 0, 3, false);
            settle(engine);
        }
    }
    setSelectedBox(1);
    rig.forget();
    const int shown = viewReports(engine, [&engine] { engine.receiveHotKeyCommand(hotkey::SpeedUp, 0); });
    QCOMPARE(shown, 5);
    // The boxes' workers write the reports: wait for them before reading the wire.
    settle(engine);
    for (int b = 0; b < 2; ++b) {
        const auto sent = lightingReports(rig, b);
        QCOMPARE(sent.size(), std::size_t(5));
        for (int p = 0; p < kPlusPortCount; ++p) {
            QCOMPARE(engine.box(b).rainbowFan[p].lightSpeed, 0);
            // Blink at speed 0.
            QCOMPARE(reportByte(sent[std::size_t(p)], 3), 12);
        }
    }
}

void PlusVoiceTest::hotKeyWithUnknownValueWritesNothing() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    rig.forget();
    int shown = viewReports(engine, [&engine] { engine.receiveHotKeyCommand(hotkey::LitMode, 7); });
    shown += viewReports(engine, [&engine] { engine.receiveHotKeyCommand(42, 0); });
    shown += viewReports(engine, [&engine] { engine.receiveHotKeyCommand(hotkey::Profile, 6); });
    settle(engine);
    QVERIFY(rig.reportsTo(0).empty());
    QVERIFY(rig.reportsTo(1).empty());
    // The view is still told what it shows.
    QCOMPARE(shown, 15);
}

void PlusVoiceTest::hotKeyProfileLoadsWithoutSelectingIt() {
    EngineRig rig(kTwoBoxes);
    const QString profile = rig.settingsFolder() + "/ZynePlus/Profile3.ini";
    QDir().mkpath(QFileInfo(profile).absolutePath());
    QFile file(profile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Fan2]\nlightMode=4\nlightSpeed=1\ncolorMode=0\nisTurnOffLed=0\nPWM=0\nSpeedMode=0\n"
               "Speed_Num=6\n");
    file.close();
    ZynePlusCommandHelper engine;
    settle(engine);
    rig.forget();
    engine.receiveHotKeyCommand(hotkey::Profile, 3);
    settle(engine);
    for (int b = 0; b < 2; ++b) {
        const ControllerBox& box = engine.box(b);
        QCOMPARE(box.rainbowFan[2].lightMode, 4);
        QCOMPARE(box.rainbowFan[2].Speed_Num, 6);
        QCOMPARE(box.Profile, 1);
        QCOMPARE(box.currentProfile, 1);
        // Every port is resent, port 3 with its new Breath and its fixed speed (1000 RPM).
        const auto lighting = lightingReports(rig, b);
        QCOMPARE(lighting.size(), std::size_t(5));
        QCOMPARE(reportByte(lighting[2], 3), 17);
        // Ports the file has no group for read as fixed level 0 (400 RPM).
        const auto speeds = reportsOfKind(rig, b, 0x51);
        QCOMPARE(speeds.size(), std::size_t(5));
        QCOMPARE(reportByte(speeds[2], 2), 3);
        QCOMPARE(reportByte(speeds[2], 5) | reportByte(speeds[2], 6) << 8, 1000);
        QCOMPARE(reportByte(speeds[0], 5) | reportByte(speeds[0], 6) << 8, 400);
    }
}

void PlusVoiceTest::speechModeKeepsNegativesAndFiltersByFanType() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    for (int b = 0; b < 2; ++b) {
        for (int p = 0; p < kPlusPortCount; ++p) {
            engine.changeLightMode(b, p, 3, 0, 1, false);
            settle(engine);
        }
    }
    engine.fanRecord(0, 1).FanType = 2;
    settle(engine);
    engine.fanRecord(1, 4).FanType = 2;
    settle(engine);
    rig.forget();
    engine.receiveSpeechMode(-1, 1, -1, true, 2);
    settle(engine);
    for (int b = 0; b < 2; ++b) {
        for (int p = 0; p < kPlusPortCount; ++p) {
            const RainbowFanState& fan = engine.box(b).rainbowFan[p];
            const bool pump = fan.FanType == 2;
            QCOMPARE(fan.lightMode, 3);
            QCOMPARE(fan.lightSpeed, 1);
            QCOMPARE(fan.colorMode, pump ? 1 : 0);
            QCOMPARE(fan.isTurnOffLed, pump);
        }
        QCOMPARE(lightingReports(rig, b).size(), std::size_t(1));
    }

    // Without a fan type every port takes it; the turn-off flag is always set.
    rig.forget();
    engine.receiveSpeechMode(4, -1, 2, false, -1);
    settle(engine);
    for (int p = 0; p < kPlusPortCount; ++p) {
        const RainbowFanState& fan = engine.box(1).rainbowFan[p];
        QCOMPARE(fan.lightMode, 4);
        QCOMPARE(fan.lightSpeed, 2);
        QVERIFY(!fan.isTurnOffLed);
    }
    QCOMPARE(lightingReports(rig, 1).size(), std::size_t(5));
    QCOMPARE(reportByte(lightingReports(rig, 1)[0], 3), 18);
}

void PlusVoiceTest::speechModeOutOfRangeIsRefused() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    const int mode = engine.box(0).rainbowFan[0].lightMode;
    rig.forget();
    engine.receiveSpeechMode(21, 0, 0, true, -1);
    settle(engine);
    engine.receiveSpeechMode(3, 3, 0, true, -1);
    settle(engine);
    engine.receiveSpeechMode(3, 0, 4, true, -1);
    settle(engine);
    QVERIFY(rig.reportsTo(0).empty());
    QCOMPARE(engine.box(0).rainbowFan[0].lightMode, mode);
    QVERIFY(!engine.box(0).rainbowFan[0].isTurnOffLed);
}

void PlusVoiceTest::speechColourBrightnessPerFanType_data() {
    QTest::addColumn<float>("bright");
    QTest::addColumn<int>("fanType");
    QTest::addColumn<float>("ledBright");
    QTest::addColumn<float>("wholeBright");
    QTest::newRow("all ports") << 0.5f << -1 << 0.5f << 0.5f;
    QTest::newRow("fan type 0: scaled once") << 0.5f << 0 << 0.5f << 0.5f;
    QTest::newRow("out of range is clamped") << 50.0f << -1 << 1.0f << 1.0f;
    QTest::newRow("fan type 0: out of range is clamped") << 5.0f << 0 << 1.0f << 1.0f;
    QTest::newRow("negative keeps") << -1.0f << -1 << 0.75f << 0.75f;
    QTest::newRow("NaN keeps") << std::numeric_limits<float>::quiet_NaN() << 0 << 0.75f << 0.75f;
}

void PlusVoiceTest::speechColourBrightnessPerFanType() {
    QFETCH(float, bright);
    QFETCH(int, fanType);
    QFETCH(float, ledBright);
    QFETCH(float, wholeBright);
    RainbowFanState fan;
    fan.Bright.fill(0.75f);
    QVERIFY(speech::targets(fan, fanType));
    speech::apply(fan, speech::ColourCommand{10, 20, 30, bright, QStringLiteral("111111111111"), fanType});
    QCOMPARE(fan.Bright[0], ledBright);
    QCOMPARE(fan.Bright[11], ledBright);
    QCOMPARE(fan.Bright[12], wholeBright);
    QCOMPARE(fan.RColor[12], 10);
    QCOMPARE(fan.BColor[5], 30);
}

void PlusVoiceTest::speechColourOnlyTouchesSelectedLeds() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.fanRecord(1, 2).FanType = 3;
    settle(engine);
    const RainbowFanState pump = engine.box(1).rainbowFan[2];
    const RainbowFanState before = engine.box(0).rainbowFan[0];
    rig.forget();
    engine.receiveSpeechColor(300, -1, 0, 0.5f, "001000000000", 0);
    settle(engine);
    const RainbowFanState& fan = engine.box(0).rainbowFan[0];
    QCOMPARE(fan.RColor[2], 255);
    QCOMPARE(fan.GColor[2], before.GColor[2]);
    QCOMPARE(fan.BColor[2], 0);
    QCOMPARE(fan.RColor[3], before.RColor[3]);
    QCOMPARE(fan.RColor[12], 255);
    QCOMPARE(fan.selectLED, QStringLiteral("001000000000"));
    // The pump is of another type: untouched, not written.
    QCOMPARE(engine.box(1).rainbowFan[2].RColor, pump.RColor);
    QCOMPARE(lightingReports(rig, 0).size(), std::size_t(5));
    QCOMPARE(lightingReports(rig, 1).size(), std::size_t(4));
}

void PlusVoiceTest::speechFanSpeedByPwm() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.receivePlusSwitchPWM(0, 1, false);
    settle(engine);
    engine.fanRecord(0, 3).FanType = 2;
    settle(engine);
    engine.fanRecord(0, 3).PWM = false;
    settle(engine);
    const RainbowFanState pump = engine.box(0).rainbowFan[3];
    // 70 % of full speed: duty level 2 (70 %) under the curve, speed level 7 otherwise.
    engine.receiveSpeechFanSpeed(70);
    settle(engine);
    const ControllerBox& box = engine.box(0);
    QCOMPARE(box.rainbowFan[0].Speed_Per, 2);
    QCOMPARE(box.rainbowFan[0].SpeedMode, 0);
    QCOMPARE(box.rainbowFan[1].Speed_Num, 7);
    QCOMPARE(box.rainbowFan[1].SpeedMode, 0);
    QCOMPARE(box.rainbowFan[3].Speed_Num, pump.Speed_Num);
    QCOMPARE(box.rainbowFan[3].SpeedMode, pump.SpeedMode);

    // Full speed is the top level, and goes out as its RPM report (1400).
    rig.forget();
    engine.receiveSpeechFanSpeed(100);
    settle(engine);
    QCOMPARE(box.rainbowFan[0].Speed_Per, 5);
    QCOMPARE(box.rainbowFan[1].Speed_Num, 10);
    const auto speeds = reportsOfKind(rig, 0, 0x51);
    QCOMPARE(speeds.size(), std::size_t(1));
    QCOMPARE(reportByte(speeds[0], 2), 2);
    QCOMPARE(reportByte(speeds[0], 5) + 256 * reportByte(speeds[0], 6), 1400);
    // The lowest percentages are the lowest levels.
    engine.receiveSpeechFanSpeed(4);
    QCOMPARE(box.rainbowFan[0].Speed_Per, 0);
    QCOMPARE(box.rainbowFan[1].Speed_Num, 0);
}

void PlusVoiceTest::speechFanSpeedOutOfRangeIsRefused() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.receivePlusSwitchPWM(0, 1, false);
    settle(engine);
    const int level = engine.box(0).rainbowFan[1].Speed_Num;
    rig.forget();
    engine.receiveSpeechFanSpeed(-5);
    settle(engine);
    engine.receiveSpeechFanSpeed(101);
    settle(engine);
    QCOMPARE(engine.box(0).rainbowFan[1].Speed_Num, level);
    QVERIFY(rig.reportsTo(0).empty());
}

void PlusVoiceTest::speechOnlyLogs() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    const RainbowFanState before = engine.box(0).rainbowFan[0];
    rig.forget();
    engine.receiveSpeech(3, 1, 2, 255, 0, 0, 1.0f, true);
    settle(engine);
    QVERIFY(rig.reportsTo(0).empty());
    QCOMPARE(engine.box(0).rainbowFan[0].lightMode, before.lightMode);
    QCOMPARE(engine.box(0).rainbowFan[0].RColor, before.RColor);
}

void PlusVoiceTest::selectedBoxAndPresenceAcrossThreads() {
    // The GUI thread selects boxes while the classic worker and a server read: every read sees a
    // whole value.
    std::atomic<bool> stop{false};
    std::atomic<int> badReads{0};
    std::thread reader([&] {
        while (!stop.load()) {
            const int box = selectedBox();
            const QString present = awtPresenceStr().text();
            if (box < 0 || box > 15 || present.size() != 16)
                ++badReads;
        }
    });
    for (int i = 0; i < 20000; ++i) {
        setSelectedBox(i % 16);
        awtPresenceStr().setPresent(i % 16, i % 3 == 0);
    }
    stop = true;
    reader.join();
    QCOMPARE(badReads.load(), 0);
    setSelectedBox(16);
    setSelectedBox(-1);
    QCOMPARE(selectedBox(), 19999 % 16);
    for (int b = 0; b < 16; ++b)
        awtPresenceStr().setPresent(b, false);
}

QTEST_GUILESS_MAIN(PlusVoiceTest)
#include "tst_plusvoice.moc"
