#include "ApplicationSettings.h"
#include "EngineRig.h"
#include "PowerSupplyApp.h"
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
constexpr char kTwoBoxes[] = R"({"plus": [{"index": 0}, {"index": 1}]})";
constexpr int kLight = 6;
constexpr int kCopy = 7;

// Lighting reports (32 52) written to a box since the rig forgot its history.
std::vector<QByteArray> lightingReports(const EngineRig& rig, int box = 0) {
    std::vector<QByteArray> lighting;
    for (const auto& report : rig.reportsTo(box)) {
        if (reportByte(report, 0) == 0x32 && reportByte(report, 1) == 0x52)
            lighting.push_back(report);
    }
    return lighting;
}

// LED k's (green, red, blue) triple in a lighting report.
QByteArray triple(const QByteArray& report, int led) {
    return report.mid(1 + 4 + 3 * led, 3);
}

QByteArray grb(int red, int green, int blue) {
    QByteArray bytes;
    bytes.append(char(green)).append(char(red)).append(char(blue));
    return bytes;
}

QStringList repeated(const QString& text, int count = 13) {
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << text;
    return list;
}

// Frames (30 42) written to the power supply since the rig forgot its history.
std::vector<QByteArray> supplyFrames(EngineRig& rig) {
    std::vector<QByteArray> out;
    for (const auto& event : rig.sim().events()) {
        if (event.dev == QLatin1String("264a:2329") && event.dir == QLatin1String("out") &&
            reportByte(event.bytes, 0) == 0x30 && reportByte(event.bytes, 1) == 0x42)
            out.push_back(event.bytes);
    }
    return out;
}

void turnSyncOn(const EngineRig& rig) {
    QDir().mkpath(rig.settingsFolder());
    QFile ini(rig.settingsFolder() + QStringLiteral("/Device.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Main]\nisAutoRun=0\nLanguage=0\nisSyncPwrix=1\n");
}

// What the views were told, one entry per sendResetMainView.
struct ShownPort {
    int box, fan, lightMode, colorMode, lightSpeed, red0;
    float bright12;
    QString fanName;
    bool isTurnOffLed;
};

class ViewReports {
public:
    explicit ViewReports(ZynePlusCommandHelper& engine) {
        QObject::connect(&engine, &ZynePlusCommandHelper::sendResetMainView, &m_context,
                         [this](int box, int fan, int lightMode, int colorMode, int lightSpeed, int* red,
                                int*, int*, float* bright, int, int, bool, bool, int, QString fanName, int,
                                int, bool isTurnOffLed) {
                             // The arrays are only valid during the call: take what is needed now.
                             ports.push_back({box, fan, lightMode, colorMode, lightSpeed, red[0], bright[12],
                                              fanName, isTurnOffLed});
                         });
    }
    std::vector<ShownPort> ports;

private:
    QObject m_context;
};

// A port in Light mode shows its stored colours in every report: a change is easy to read back.
void showStaticFrames(ZynePlusCommandHelper& engine, int box = 0) {
    for (int p = 0; p < kPlusPortCount; ++p) {
        engine.changeLightMode(box, p, kLight, 0, 0, false);
        settle(engine);
    }
}
} // namespace

class PlusIntakeTest : public QObject {
    Q_OBJECT
private slots:
    void init() { setSelectedBox(0); }

    // Colours from the views
    void viewColoursWaitForTheNextRefresh();
    void viewColoursReachFollowersWithoutWriting();
    void shortAndBadColourLists();

    // Colours from the mobile app
    void appColourSingleModeSetsWholeFanOnly();
    void appColourFollowsTheLedSelection();
    void appColourRefreshesFollowersAfterPortZero();
    void shortSelectionChangesOnlyTheLedsItHolds();

    // Brightness, LED switch, selection
    void brightnessIsClampedAndApplied();
    void turningPortZeroOffTurnsFollowersOff();
    void badIndicesChangeNothing_data();
    void badIndicesChangeNothing();

    // Reports to the views
    void viewRequestReportsTheSelectedBox();
    void resetViewRequestOnlyForPresentBoxes();

    void resetAllBoxWritesEveryReportTwice();

    // The power supply mirroring port 1, and its companion application
    void powerSupplyFollowsPortOneCommands();
    void defaultResetToldToTheRingSupplyApp();
};

void PlusIntakeTest::viewColoursWaitForTheNextRefresh() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    showStaticFrames(engine);
    rig.forget();

    QStringList red = repeated("10");
    red[3] = "200";
    engine.receiveRGBData(0, red, repeated("20"), repeated("30"), repeated("0.5"), 2, "000100000000");
    settle(engine);
    QVERIFY(rig.reportsTo(0).empty());
    const RainbowFanState& fan = engine.box(0).rainbowFan[2];
    QCOMPARE(fan.RColor[3], 200);
    QCOMPARE(fan.GColor[12], 20);
    QCOMPARE(fan.Bright[7], 0.5f);
    QCOMPARE(fan.selectLED, QStringLiteral("000100000000"));

    // The view's next command shows them.
    engine.refreshFanLed(0, 2);
    settle(engine);
    const auto sent = lightingReports(rig);
    QCOMPARE(sent.size(), std::size_t(1));
    QCOMPARE(triple(sent[0], 3), grb(100, 10, 15));
    QCOMPARE(triple(sent[0], 0), grb(5, 10, 15));
}

void PlusIntakeTest::viewColoursReachFollowersWithoutWriting() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.changeLightMode(0, 0, kLight, 0, 0, false);
    settle(engine);
    engine.changeLightMode(0, 3, kCopy, 0, 0, false);
    settle(engine);
    rig.forget();
    engine.receiveRGBData(0, repeated("9"), repeated("8"), repeated("7"), repeated("1"), 0, "111111111111");
    settle(engine);
    QVERIFY(rig.reportsTo(0).empty());
    QCOMPARE(engine.box(0).rainbowFan[3].RColor[5], 9);
    QCOMPARE(engine.box(0).rainbowFan[3].lightMode, kCopy);
    // A port that does not follow keeps its own colours.
    QVERIFY(engine.box(0).rainbowFan[1].RColor[5] != 9);
}

void PlusIntakeTest::shortAndBadColourLists() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    const RainbowFanState before = engine.box(1).rainbowFan[4];
    rig.forget();
    // Three reds, one of them no number, one too large; a brightness list with NaN and out-of-range
    // values; more than 13 greens; no blues.
    engine.receiveRGBData(1, {"12", "red", "999"}, repeated("40", 20), {}, {"nan", "-0.5", "7", "0.25"}, 4,
                          "1");
    settle(engine);
    const RainbowFanState& fan = engine.box(1).rainbowFan[4];
    QCOMPARE(fan.RColor[0], 12);
    QCOMPARE(fan.RColor[1], 0);
    QCOMPARE(fan.RColor[2], 255);
    for (int i = 3; i < 13; ++i)
        QCOMPARE(fan.RColor[i], before.RColor[i]);
    for (int i = 0; i < 13; ++i) {
        QCOMPARE(fan.GColor[i], 40);
        QCOMPARE(fan.BColor[i], before.BColor[i]);
    }
    QCOMPARE(fan.Bright[0], 1.0f);
    QCOMPARE(fan.Bright[1], 0.0f);
    QCOMPARE(fan.Bright[2], 1.0f);
    QCOMPARE(fan.Bright[3], 0.25f);
    QCOMPARE(fan.Bright[4], before.Bright[4]);
    QCOMPARE(fan.selectLED, QStringLiteral("1") + before.selectLED.mid(1));
    QVERIFY(rig.reportsTo(1).empty());
}

void PlusIntakeTest::appColourSingleModeSetsWholeFanOnly() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.changeLightMode(0, 1, kLight, 1, 0, false);
    settle(engine);
    const RainbowFanState before = engine.box(0).rainbowFan[1];
    rig.forget();
    engine.receiveAPPRGBData(0, 255, 0, 64, 0.1f, 1, "111111111111");
    settle(engine);
    const RainbowFanState& fan = engine.box(0).rainbowFan[1];
    QCOMPARE(fan.RColor[12], 255);
    QCOMPARE(fan.BColor[12], 64);
    for (int i = 0; i < 12; ++i)
        QCOMPARE(fan.RColor[i], before.RColor[i]);
    // The brightness argument is not the app's to set here.
    QCOMPARE(fan.Bright, before.Bright);
    const auto sent = lightingReports(rig);
    QCOMPARE(sent.size(), std::size_t(1));
    QCOMPARE(triple(sent[0], 0), grb(255, 0, 64));
    QCOMPARE(triple(sent[0], 11), grb(255, 0, 64));
}

void PlusIntakeTest::appColourFollowsTheLedSelection() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.changeLightMode(1, 2, kLight, 0, 0, false);
    settle(engine);
    const RainbowFanState before = engine.box(1).rainbowFan[2];
    rig.forget();
    engine.receiveAPPRGBData(1, 1, 2, 3, 1.0f, 2, "100000000001");
    settle(engine);
    const RainbowFanState& fan = engine.box(1).rainbowFan[2];
    for (int i = 0; i < 13; ++i) {
        const bool chosen = i == 0 || i == 11;
        QCOMPARE(fan.RColor[i], chosen ? 1 : before.RColor[i]);
        QCOMPARE(fan.BColor[i], chosen ? 3 : before.BColor[i]);
    }
    QCOMPARE(fan.selectLED, QStringLiteral("100000000001"));
    const auto sent = lightingReports(rig, 1);
    QCOMPARE(sent.size(), std::size_t(1));
    QCOMPARE(triple(sent[0], 0), grb(1, 2, 3));
    QCOMPARE(triple(sent[0], 11), grb(1, 2, 3));
    QCOMPARE(triple(sent[0], 5), grb(before.RColor[5], before.GColor[5], before.BColor[5]));
}

void PlusIntakeTest::appColourRefreshesFollowersAfterPortZero() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    showStaticFrames(engine);
    engine.changeLightMode(0, 2, kCopy, 0, 0, false);
    settle(engine);
    engine.changeLightMode(0, 4, kCopy, 0, 0, false);
    settle(engine);
    rig.forget();
    engine.receiveAPPRGBData(0, 90, 80, 70, 1.0f, 0, "010000000000");
    settle(engine);
    const auto sent = lightingReports(rig);
    QCOMPARE(sent.size(), std::size_t(3));
    QCOMPARE(reportByte(sent[0], 2), 1);
    QCOMPARE(reportByte(sent[1], 2), 3);
    QCOMPARE(reportByte(sent[2], 2), 5);
    for (const auto& report : sent)
        QCOMPARE(triple(report, 1), grb(90, 80, 70));
    // Ports 2 and 4 are not followers: untouched.
    QVERIFY(engine.box(0).rainbowFan[1].RColor[1] != 90);
    QVERIFY(engine.box(0).rainbowFan[3].RColor[1] != 90);

    // A change of another port leaves the followers alone.
    rig.forget();
    engine.receiveAPPRGBData(0, 1, 1, 1, 1.0f, 1, "010000000000");
    settle(engine);
    QCOMPARE(lightingReports(rig).size(), std::size_t(1));
}

void PlusIntakeTest::shortSelectionChangesOnlyTheLedsItHolds() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.receivePlusSelectLedBtn(0, 3, "000000001111");
    settle(engine);
    engine.receiveAPPRGBData(0, 7, 7, 7, 1.0f, 3, "01");
    settle(engine);
    const RainbowFanState& fan = engine.box(0).rainbowFan[3];
    QCOMPARE(fan.selectLED, QStringLiteral("010000001111"));
    QCOMPARE(fan.RColor[1], 7);
    // LEDs selected before, but not named by the short text, keep their colour.
    QVERIFY(fan.RColor[8] != 7);
    QVERIFY(fan.RColor[0] != 7);

    // Characters other than '1' select nothing; a longer text is cut at 12.
    engine.receivePlusSelectLedBtn(0, 3, "1x1?11111111111111");
    settle(engine);
    QCOMPARE(engine.box(0).rainbowFan[3].selectLED, QStringLiteral("101011111111"));
}

void PlusIntakeTest::brightnessIsClampedAndApplied() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    showStaticFrames(engine);
    engine.changeLightMode(0, 1, kCopy, 0, 0, false);
    settle(engine);
    const RainbowFanState before = engine.box(0).rainbowFan[0];
    rig.forget();
    QStringList bright = repeated("0.5");
    bright[0] = "1.5";
    bright[1] = "-1";
    bright[2] = "garbage";
    engine.receivePlusBright(0, 0, bright);
    settle(engine);
    const RainbowFanState& fan = engine.box(0).rainbowFan[0];
    QCOMPARE(fan.Bright[0], 1.0f);
    QCOMPARE(fan.Bright[1], 0.0f);
    QCOMPARE(fan.Bright[2], 0.0f);
    QCOMPARE(fan.Bright[12], 0.5f);
    const auto sent = lightingReports(rig);
    QCOMPARE(sent.size(), std::size_t(2));
    QCOMPARE(reportByte(sent[1], 2), 2);
    const QByteArray led3 = grb(before.RColor[3] / 2, before.GColor[3] / 2, before.BColor[3] / 2);
    QCOMPARE(triple(sent[0], 3), led3);
    QCOMPARE(triple(sent[1], 3), led3);

    // A short list leaves the other factors as they are.
    engine.receivePlusBright(0, 0, {"0.25"});
    settle(engine);
    QCOMPARE(engine.box(0).rainbowFan[0].Bright[0], 0.25f);
    QCOMPARE(engine.box(0).rainbowFan[0].Bright[3], 0.5f);
}

void PlusIntakeTest::turningPortZeroOffTurnsFollowersOff() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    showStaticFrames(engine);
    engine.changeLightMode(0, 4, kCopy, 0, 0, false);
    settle(engine);
    rig.forget();
    engine.receiveTurnLed(0, 0, 5);
    settle(engine);
    QVERIFY(engine.box(0).rainbowFan[0].isTurnOffLed);
    auto sent = lightingReports(rig);
    QCOMPARE(sent.size(), std::size_t(2));
    QCOMPARE(reportByte(sent[1], 2), 5);
    for (const auto& report : sent)
        QCOMPARE(report.mid(5), QByteArray(60, '\0'));

    rig.forget();
    engine.receiveTurnLed(0, 0, 0);
    settle(engine);
    QVERIFY(!engine.box(0).rainbowFan[4].isTurnOffLed);
    sent = lightingReports(rig);
    QCOMPARE(sent.size(), std::size_t(2));
    QVERIFY(sent[1].mid(5) != QByteArray(60, '\0'));
}

void PlusIntakeTest::badIndicesChangeNothing_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("fan");
    QTest::newRow("box -1") << -1 << 0;
    QTest::newRow("box 16") << 16 << 0;
    QTest::newRow("port 5") << 0 << 5;
    QTest::newRow("port -1") << 0 << -1;
    QTest::newRow("huge") << 1 << 2147483647;
}

void PlusIntakeTest::badIndicesChangeNothing() {
    QFETCH(int, box);
    QFETCH(int, fan);
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    std::vector<RainbowFanState> before;
    for (int b = 0; b < 2; ++b) {
        for (int p = 0; p < kPlusPortCount; ++p)
            before.push_back(engine.box(b).rainbowFan[p]);
    }
    rig.forget();
    engine.receiveRGBData(box, repeated("1"), repeated("1"), repeated("1"), repeated("1"), fan,
                          "111111111111");
    settle(engine);
    engine.receiveAPPRGBData(box, 1, 1, 1, 1.0f, fan, "111111111111");
    settle(engine);
    engine.receivePlusBright(box, fan, repeated("0.1"));
    settle(engine);
    engine.receivePlusSelectLedBtn(box, fan, "111111111111");
    settle(engine);
    engine.receiveTurnLed(box, fan, 1);
    settle(engine);
    QVERIFY(rig.reportsTo(0).empty());
    QVERIFY(rig.reportsTo(1).empty());
    for (int b = 0; b < 2; ++b) {
        for (int p = 0; p < kPlusPortCount; ++p) {
            const RainbowFanState& now = engine.box(b).rainbowFan[p];
            const RainbowFanState& was = before[std::size_t(b * kPlusPortCount + p)];
            QCOMPARE(now.RColor, was.RColor);
            QCOMPARE(now.Bright, was.Bright);
            QCOMPARE(now.selectLED, was.selectLED);
            QCOMPARE(now.isTurnOffLed, was.isTurnOffLed);
        }
    }
}

void PlusIntakeTest::viewRequestReportsTheSelectedBox() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.changeLightMode(1, 3, 4, 1, 2, true);
    settle(engine);
    engine.fanRecord(1, 3).FanName = QStringLiteral("Rear");
    settle(engine);
    engine.fanRecord(1, 3).RColor[0] = 33;
    settle(engine);
    ViewReports views(engine);
    setSelectedBox(1);
    engine.receiveViewRequest();
    settle(engine);
    QCOMPARE(views.ports.size(), std::size_t(5));
    const ShownPort& port3 = views.ports[3];
    QCOMPARE(port3.box, 1);
    QCOMPARE(port3.fan, 3);
    QCOMPARE(port3.lightMode, 4);
    QCOMPARE(port3.colorMode, 1);
    QCOMPARE(port3.lightSpeed, 2);
    QCOMPARE(port3.red0, 33);
    QCOMPARE(port3.fanName, QStringLiteral("Rear"));
    QVERIFY(port3.isTurnOffLed);

    // An absent box is reported too: the views ask for what they show.
    views.ports.clear();
    setSelectedBox(9);
    engine.receiveViewRequest();
    settle(engine);
    QCOMPARE(views.ports.size(), std::size_t(5));
    QCOMPARE(views.ports[0].box, 9);
}

void PlusIntakeTest::resetViewRequestOnlyForPresentBoxes() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    ViewReports views(engine);
    setSelectedBox(9);
    engine.receiveResetViewRequest();
    settle(engine);
    QVERIFY(views.ports.empty());
    setSelectedBox(1);
    engine.receiveResetViewRequest();
    settle(engine);
    QCOMPARE(views.ports.size(), std::size_t(5));
    for (int p = 0; p < 5; ++p)
        QCOMPARE(views.ports[std::size_t(p)].fan, p);
}

void PlusIntakeTest::resetAllBoxWritesEveryReportTwice() {
    EngineRig rig(kTwoBoxes);
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.receiveChangeFanSpeedNum(1, 2, 4);
    settle(engine);
    rig.forget();
    engine.resetAllBox();
    settle(engine);
    for (int b = 0; b < 2; ++b) {
        const auto sent = rig.reportsTo(b);
        QCOMPARE(sent.size() % 2, std::size_t(0));
        const std::size_t half = sent.size() / 2;
        QVERIFY(half >= 5);
        for (std::size_t i = 0; i < half; ++i)
            QCOMPARE(sent[half + i], sent[i]);
    }
    QVERIFY(rig.reportsTo(2).empty());
}

void PlusIntakeTest::powerSupplyFollowsPortOneCommands() {
    EngineRig rig(R"({"plus": [{"index": 0}, {"index": 1}], "power_supply": {"model": "VXD-1250-PT"}})");
    turnSyncOn(rig);
    ZynePlusCommandHelper engine;
    settle(engine);
    QVERIFY(engine.powerSupply().isPresent());
    for (int b = 0; b < 2; ++b) {
        engine.changeLightMode(b, 0, 3, 0, 2, false);
        settle(engine);
    }
    rig.forget();

    // View colours are taken, not shown: the next frame shows them.
    engine.receiveRGBData(0, repeated("200"), repeated("0"), repeated("0"), repeated("1"), 0, "111111111111");
    settle(engine);
    QVERIFY(supplyFrames(rig).empty());
    QCOMPARE(engine.powerSupply().colours().red[4], 200);
    // App colours of a box that is not shown leave the supply alone; the shown box's are sent.
    engine.receiveAPPRGBData(1, 0, 0, 255, 1.0f, 0, "111111111111");
    settle(engine);
    QVERIFY(supplyFrames(rig).empty());
    engine.receiveAPPRGBData(0, 0, 100, 0, 1.0f, 0, "100000000000");
    settle(engine);
    auto frames = supplyFrames(rig);
    QCOMPARE(frames.size(), std::size_t(1));
    // Blink at speed 2, LED 1 green as the app set it, LED 2 red as the view set it.
    QCOMPARE(reportByte(frames[0], 2), 14);
    QCOMPARE(frames[0].mid(4, 3), QByteArray("\x64\x00\x00", 3));
    QCOMPARE(frames[0].mid(7, 3), QByteArray("\x00\xc8\x00", 3));

    // Brightness of port 1 of any box is mirrored, of other ports not.
    rig.forget();
    engine.receivePlusBright(1, 2, repeated("0.5"));
    settle(engine);
    QVERIFY(supplyFrames(rig).empty());
    engine.receivePlusBright(1, 0, repeated("0.5"));
    settle(engine);
    QCOMPARE(supplyFrames(rig).size(), std::size_t(1));

    // Voice commands: the colour sends the shown port, switching off sends the off frame.
    rig.forget();
    engine.receiveSpeechColor(10, 20, 30, 1.0f, "111111111111", -1);
    settle(engine);
    QCOMPARE(supplyFrames(rig).size(), std::size_t(1));
    engine.receiveSpeechMode(-1, -1, -1, true, -1);
    settle(engine);
    frames = supplyFrames(rig);
    QCOMPARE(frames.size(), std::size_t(2));
    QCOMPARE(reportByte(frames[1], 2), 0x18);
    QCOMPARE(frames[1].mid(4), QByteArray(61, '\0'));
}

void PlusIntakeTest::defaultResetToldToTheRingSupplyApp() {
    EngineRig rig(kTwoBoxes);
    turnSyncOn(rig);
    ZynePlusCommandHelper engine;
    settle(engine);
    rig.forget();
    QSignalSpy told(&engine, &ZynePlusCommandHelper::operate);
    setPowerType(PowerTypeRing);
    engine.receiveDefault(1, 0);
    settle(engine);
    QCOMPARE(told.count(), 1);
    QCOMPARE(told.at(0).at(0).toString(), powerSupplyDefaultMessage());
    // Other ports, a supply without a ring, synchronisation off: nothing.
    engine.receiveDefault(1, 3);
    settle(engine);
    setPowerType(PowerTypePlain);
    engine.receiveDefault(1, 0);
    settle(engine);
    setPowerType(PowerTypeRing);
    auto settings = ApplicationSettings::get();
    settings.isSyncPwrix = false;
    ApplicationSettings::set(settings);
    engine.receiveDefault(1, 0);
    settle(engine);
    QCOMPARE(told.count(), 1);
    setPowerType(PowerTypeUnknown);
    QVERIFY(rig.reportsTo(1).empty());
}

QTEST_GUILESS_MAIN(PlusIntakeTest)
#include "tst_plusintake.moc"
