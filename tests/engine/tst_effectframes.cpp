// The per-tick computations of the software effects, as pure functions of the port records.
#include "BigWaveEffect.h"
#include "CrossEffect.h"
#include "EffectPlayback.h"
#include "MeteorEffect.h"
#include "MusicEffect.h"
#include "PortColours.h"
#include "PowerSupplyFrames.h"
#include "PowerSupplyModels.h"

#include <QtTest>

using namespace zyne;

namespace {
// LED k of a frame as (red, green, blue).
RgbColour ledOf(const LedTriples& leds, int k) {
    const auto at = static_cast<std::size_t>(3 * k);
    return {leds[at + 1], leds[at], leds[at + 2]};
}

// LED k of a power-supply report (report ID first) as (red, green, blue).
RgbColour psuLed(const PlusReport& report, int k) {
    const auto at = static_cast<std::size_t>(4 + 3 * k);
    return {report[at + 1], report[at], report[at + 2]};
}

std::vector<int> litLeds(const LedTriples& leds) {
    std::vector<int> lit;
    for (int k = 0; k < kLedCount; ++k) {
        const RgbColour c = ledOf(leds, k);
        if (c.red || c.green || c.blue)
            lit.push_back(k);
    }
    return lit;
}

// Every colour entry (r, g, b) = (10k+10, 100, 200) at full brightness.
void paint(RainbowFanState& fan) {
    for (int k = 0; k < kColourEntries; ++k) {
        fan.RColor[k] = 10 * k + 10;
        fan.GColor[k] = 100;
        fan.BColor[k] = 200;
        fan.Bright[k] = 1.0f;
    }
    fan.isTurnOffLed = false;
}

BoxRecords plusBoxes(std::initializer_list<int> present) {
    BoxRecords boxes;
    for (int b : present) {
        boxes[b].isConnected = true;
        boxes[b].boxType = BoxPlus;
        for (auto& fan : boxes[b].rainbowFan) {
            paint(fan);
            fan.lightMode = 6;
        }
    }
    return boxes;
}
} // namespace

class EffectFramesTest : public QObject {
    Q_OBJECT
private slots:
    void bigWaveFirstFrameAtSpeedZero();
    void bigWaveRunsRoundTheCircle();
    void bigWaveSkipsUnmonitoredAndSlowPorts();
    void meteorCrossesToTheNextPort();
    void meteorClosesAfterTwoWraps();
    void meteorOnPumpHeadAndShadow();
    void crossPositionsAndRestart();
    void crossOnPumpHead();
    void awtPortsTakeEffectFrames();
    void musicLevelBar_data();
    void musicLevelBar();
    void musicRotatingPairAndPulse();
    void musicSmoothing();
    void musicTickUsesCopiedModeAndLevels();
    void temperatureWalksRising();
    void temperatureUnchangedStays();
    void psuModeBytesAndDefaults();
    void psuMusicPatterns();
    void psuCrossAndEffect();
    void psuModelText_data();
    void psuModelText();
    void psuModelList_data();
    void psuModelList();
};

void EffectFramesTest::bigWaveFirstFrameAtSpeedZero() {
    BigWaveEffect wave;
    const LedTriples leds = wave.nextFrame(0);
    const int expected[12] = {145, 174, 203, 174, 145, 116, 87, 58, 29, 58, 87, 116};
    for (int k = 0; k < 12; ++k) {
        QCOMPARE(ledOf(leds, k).red, 255);
        QCOMPARE(ledOf(leds, k).green, expected[k]);
        QCOMPARE(ledOf(leds, k).blue, 0);
    }
    QCOMPARE(wave.colour(), (RgbColour{255, 203, 0}));
    // The second port continues where the first left off.
    QCOMPARE(ledOf(wave.nextFrame(0), 8), (RgbColour{255, 232, 0}));
}

void EffectFramesTest::bigWaveRunsRoundTheCircle() {
    // Every named stop of the circle is passed in order, and the walk comes back to red.
    const RgbColour stops[] = {{255, 255, 0},   {0, 255, 0},   {0, 255, 255}, {0, 0, 255},
                               {255, 255, 255}, {255, 0, 255}, {255, 0, 0}};
    RgbColour c{255, 0, 0};
    int next = 0;
    for (int i = 0; i < 200 && next < 7; ++i) {
        c = BigWaveEffect::step(c, 29);
        if (c == stops[next])
            ++next;
    }
    QCOMPARE(next, 7);
    // A colour off the circle stays as it is.
    QCOMPARE(BigWaveEffect::step({10, 255, 255}, 29), (RgbColour{10, 255, 255}));
}

void EffectFramesTest::bigWaveSkipsUnmonitoredAndSlowPorts() {
    BoxRecords boxes = plusBoxes({0});
    boxes[0].rainbowFan[1].lightMode = 19;
    boxes[0].rainbowFan[1].Monitor = false;
    BigWaveEffect wave;
    PortFrames frames;
    QVERIFY(!wave.tick(boxes, frames)); // the only wave port is not monitored: the timer closes
    QVERIFY(frames.empty());

    boxes[0].rainbowFan[1].Monitor = true;
    boxes[0].rainbowFan[1].lightSpeed = 1;
    boxes[0].rainbowFan[0].lightMode = 19; // port 3 follows port 0 into the wave
    boxes[0].rainbowFan[3].lightMode = 7;
    BigWaveEffect slow;
    int perPort[5] = {};
    for (int t = 0; t < 48; ++t) {
        frames.clear();
        QVERIFY(slow.tick(boxes, frames));
        for (const auto& f : frames)
            ++perPort[f.port];
    }
    QCOMPARE(perPort[0], 48);
    QCOMPARE(perPort[1], 24); // speed 1 draws every second tick
    QCOMPARE(perPort[3], 48);
    QCOMPARE(slow.tickCount(), 0); // the counter wrapped at 48
}

void EffectFramesTest::meteorCrossesToTheNextPort() {
    BoxRecords boxes = plusBoxes({0});
    boxes[0].rainbowFan[1].lightMode = 17;
    boxes[0].rainbowFan[2].lightMode = 17;
    MeteorState state;
    SeriesSettings series;
    meteor::start(state, 0, 1, 1);
    PortFrames frames;
    for (int t = 0; t < 11; ++t) {
        frames.clear();
        QVERIFY(meteor::tick(state, boxes, series, frames));
    }
    // Head on LED 11 of port 1, trailing LEDs 10 and 9.
    QCOMPARE(frames.size(), std::size_t(1));
    QCOMPARE(litLeds(frames[0].leds), (std::vector<int>{9, 10, 11}));
    QCOMPARE(ledOf(frames[0].leds, 9), (RgbColour{100, 100, 200}));

    frames.clear();
    QVERIFY(meteor::tick(state, boxes, series, frames));
    // Head on port 2 LED 0; port 1 still holds the two trailing LEDs.
    QCOMPARE(frames.size(), std::size_t(2));
    QCOMPARE(frames[0].port, 2);
    QCOMPARE(litLeds(frames[0].leds), (std::vector<int>{0}));
    QCOMPARE(frames[1].port, 1);
    QCOMPARE(litLeds(frames[1].leds), (std::vector<int>{10, 11}));

    frames.clear();
    QVERIFY(meteor::tick(state, boxes, series, frames));
    QCOMPARE(frames.size(), std::size_t(2));
    QCOMPARE(litLeds(frames[0].leds), (std::vector<int>{0, 1}));
    QCOMPARE(litLeds(frames[1].leds), (std::vector<int>{11}));

    // Two ticks after the crossing port 1 goes dark.
    frames.clear();
    QVERIFY(meteor::tick(state, boxes, series, frames));
    QCOMPARE(frames.size(), std::size_t(2));
    QCOMPARE(frames[0].port, 1);
    QVERIFY(litLeds(frames[0].leds).empty());
    QCOMPARE(litLeds(frames[1].leds), (std::vector<int>{0, 1, 2}));
}

void EffectFramesTest::meteorClosesAfterTwoWraps() {
    BoxRecords boxes = plusBoxes({0, 15});
    boxes[15].rainbowFan[4].lightMode = 18;
    MeteorState state;
    SeriesSettings series;
    meteor::start(state, 15, 4, 2);
    PortFrames frames;
    // Port 4 of the last box is the only meteor port: the meteor wraps round to it again.
    for (int t = 0; t < 12; ++t)
        QVERIFY(meteor::tick(state, boxes, series, frames));
    QCOMPARE(state.head.box, 15);
    QCOMPARE(state.head.port, 4);

    boxes[15].rainbowFan[4].lightMode = 6;
    for (int t = 0; t < 11; ++t)
        QVERIFY(meteor::tick(state, boxes, series, frames));
    QVERIFY(!meteor::tick(state, boxes, series, frames));
}

void EffectFramesTest::meteorOnPumpHeadAndShadow() {
    BoxRecords boxes = plusBoxes({0});
    RainbowFanState& pump = boxes[0].rainbowFan[0];
    pump.FanType = kFanTypePumpHead;
    MeteorState state;
    meteor::start(state, 0, 0, 1);
    state.head.led = 2;
    state.previous.led = 1;
    state.beforePrevious.led = 0;
    // A pump head's LED k takes colour entry 2k + 1.
    const LedTriples lit = meteor::meteorFrame(state, 0, 0, pump);
    QCOMPARE(litLeds(lit), (std::vector<int>{0, 1, 2}));
    QCOMPARE(ledOf(lit, 2).red, 60);
    state.head.led = 7; // past the six LEDs: not drawn
    QCOMPARE(litLeds(meteor::meteorFrame(state, 0, 0, pump)), (std::vector<int>{0, 1}));
    // A meteor on another box marks nothing here.
    QVERIFY(litLeds(meteor::meteorFrame(state, 1, 0, pump)).empty());

    SeriesSettings series;
    series.red.fill(50);
    series.green.fill(0);
    series.blue.fill(0);
    pump.FanType = 0;
    const LedTriples shadow = meteor::shadowFrame(state, 0, 0, pump, series);
    QCOMPARE(litLeds(shadow), (std::vector<int>{2, 3, 4, 5, 6, 8, 9, 10, 11}));
    QCOMPARE(ledOf(shadow, 2), (RgbColour{50, 0, 0}));

    // Restore is the port's own colours without brightness.
    pump.Bright.fill(0.1f);
    QCOMPARE(ledOf(meteor::restoreFrame(0, pump), 3), (RgbColour{40, 100, 200}));
    QCOMPARE(ledOf(meteor::restoreFrame(1, pump), 3), (RgbColour{130, 100, 200}));
    QVERIFY(litLeds(meteor::restoreFrame(2, pump)).empty());
}

void EffectFramesTest::crossPositionsAndRestart() {
    BoxRecords boxes = plusBoxes({0});
    boxes[0].rainbowFan[0].lightMode = 15;
    boxes[0].rainbowFan[2].lightMode = 7; // follows port 0
    boxes[0].rainbowFan[2].lightSpeed = 3;
    std::vector<int> positions;
    for (int t = 0; t < 145; ++t) {
        PortFrames frames;
        const auto steps = cross::tick(boxes, frames);
        QCOMPARE(steps.size(), std::size_t(2));
        QCOMPARE(frames.size(), std::size_t(2));
        positions.push_back(steps[0].position);
        if (t == 3) {
            QCOMPARE(litLeds(frames[0].leds), (std::vector<int>{3, 9}));
            // LED 9 shows colour entry 8.
            QCOMPARE(ledOf(frames[0].leds, 9).red, 90);
            QCOMPARE(ledOf(frames[0].leds, 3).red, 40);
            QCOMPARE(steps[1].position, 0); // speed 3 moves every fourth step
        }
        if (t == 0 || t == 6)
            QCOMPARE(litLeds(frames[0].leds).size(), std::size_t(1));
    }
    QCOMPARE(boxes[0].rainbowFan[2].copyLightMode, 15);
    QCOMPARE(positions[11], 11);
    QCOMPARE(positions[12], 0);
    QCOMPARE(positions[143], 11);
    QCOMPARE(positions[144], 0); // the counter restarted at 144
    QCOMPARE(boxes[0].rainbowFan[0].spareInt2, 1);

    boxes[0].rainbowFan[0].isTurnOffLed = true;
    boxes[0].rainbowFan[2].isTurnOffLed = true;
    PortFrames frames;
    QVERIFY(cross::tick(boxes, frames).empty());
}

void EffectFramesTest::awtPortsTakeEffectFrames() {
    // Box 3 is an AWT box: three ports, port 2 a 9-LED fan.
    BoxRecords boxes = plusBoxes({});
    ControllerBox& awtBox = boxes[3];
    awtBox.boxType = BoxAwt;
    for (auto& fan : awtBox.rainbowFan) {
        paint(fan);
        fan.lightMode = 15;
    }
    awtBox.rainbowFan[1].FanType = 7;
    auto types = [](const PortFrames& frames) {
        std::vector<std::pair<int, int>> out;
        for (const PortFrame& frame : frames)
            out.emplace_back(frame.port, frame.awtType);
        return out;
    };
    using Types = std::vector<std::pair<int, int>>;

    // Cross: ports 0..2 only, each with its position; ports 3 and 4 don't exist there.
    PortFrames frames;
    QCOMPARE(cross::tick(boxes, frames).size(), std::size_t(3));
    QCOMPARE(types(frames), (Types{{0, AwtCross}, {1, AwtCross2}, {2, AwtCross}}));
    QCOMPARE(frames[2].value, 0);
    QCOMPARE(litLeds(frames[2].leds), (std::vector<int>{0}));
    QCOMPARE(awtBox.rainbowFan[0].spareInt2, 1);
    QCOMPARE(awtBox.rainbowFan[3].spareInt2, 0);

    // Music: the type by mode and fan type; the PC's level for 8..10, the app's for 11..13.
    music::Levels levels;
    levels.smoothedComputer = 40;
    levels.smoothedMobile = 70;
    const int cases[][4] = {{8, 0, AwtMusicLight, 40},  {8, 7, AwtMusicLight9, 40},  {9, 0, AwtMusicEq, 40},
                            {9, 7, AwtMusicEq9, 40},    {10, 0, AwtMusicEq2, 40},    {10, 7, AwtMusicEq3, 40},
                            {11, 0, AwtMusicLight, 70}, {11, 7, AwtMusicLight9, 70}, {12, 7, AwtMusicEq9, 70},
                            {13, 0, AwtMusicEq2, 70}};
    for (auto& fan : awtBox.rainbowFan)
        fan.lightMode = 6;
    for (const auto& c : cases) {
        awtBox.rainbowFan[0].lightMode = c[0];
        awtBox.rainbowFan[0].FanType = c[1];
        frames.clear();
        QVERIFY(music::tick(boxes, levels, frames));
        QCOMPARE(types(frames), (Types{{0, c[2]}}));
        QCOMPARE(frames[0].value, c[3]);
    }
    awtBox.rainbowFan[0].FanType = 0;

    // Big wave and playback: the effect frame types.
    for (auto& fan : awtBox.rainbowFan)
        fan.lightMode = 19;
    BigWaveEffect wave;
    frames.clear();
    QVERIFY(wave.tick(boxes, frames));
    QCOMPARE(types(frames), (Types{{0, AwtEffect2}, {1, AwtEffect9}, {2, AwtEffect2}}));
    for (auto& fan : awtBox.rainbowFan)
        fan.lightMode = 16;
    EffectPlayback playback;
    playback.load({EffectFrame{}});
    frames.clear();
    QVERIFY(playback.tick(boxes, frames));
    QCOMPARE(types(frames), (Types{{0, AwtEffect}, {1, AwtEffect9}, {2, AwtEffect}}));

    // The meteor leaves port 3 for the next box's ports: an AWT box has no port 4 or 5.
    for (auto& fan : awtBox.rainbowFan)
        fan.lightMode = 17;
    MeteorState meteor;
    meteor::start(meteor, 3, 2, 1);
    frames.clear();
    for (int tick = 0; tick < 12; ++tick)
        QVERIFY(meteor::tick(meteor, boxes, SeriesSettings{}, frames));
    QCOMPARE(meteor.head.box, 3);
    QCOMPARE(meteor.head.port, 0);
    // The last tick drew the head's port and the port it left.
    QCOMPARE(types(PortFrames(frames.end() - 2, frames.end())), (Types{{0, AwtMeteor}, {2, AwtMeteor}}));
    QCOMPARE(litLeds(frames[frames.size() - 2].leds), (std::vector<int>{0}));
}

void EffectFramesTest::crossOnPumpHead() {
    RainbowFanState pump;
    paint(pump);
    pump.FanType = kFanTypePumpHead;
    QCOMPARE(litLeds(cross::frame(pump, 8)), (std::vector<int>{2, 4}));
    QCOMPARE(litLeds(cross::frame(pump, 9)), (std::vector<int>{3}));
    pump.colorMode = 1;
    QCOMPARE(ledOf(cross::frame(pump, 1), 5).red, 130);
}

void EffectFramesTest::musicLevelBar_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("lit");
    QTest::newRow("0") << 0 << 1;
    QTest::newRow("7") << 7 << 1;
    QTest::newRow("8") << 8 << 2;
    QTest::newRow("90") << 90 << 11;
    QTest::newRow("91") << 91 << 12;
    QTest::newRow("99") << 99 << 12;
    QTest::newRow("100") << 100 << 0;
}

void EffectFramesTest::musicLevelBar() {
    QFETCH(int, level);
    QFETCH(int, lit);
    RainbowFanState fan;
    paint(fan);
    for (auto& b : fan.Bright)
        b = 1.0f;
    fan.RColor.fill(200);
    const PortFrame frame = music::frame(0, 0, fan, 9, level);
    for (int k = 0; k < 12; ++k) {
        int expected = 0;
        if (k < lit)
            expected = 200 * level / 100;
        else if (k == lit && lit > 0)
            expected = 200 * level / 100 / 10;
        QCOMPARE(ledOf(frame.leds, k).red, expected);
    }
}

void EffectFramesTest::musicRotatingPairAndPulse() {
    RainbowFanState fan;
    paint(fan);
    // Level 100 is band 11: LEDs 5 and 11 at full, the rest at a tenth.
    PortFrame pair = music::frame(0, 0, fan, 13, 100);
    QCOMPARE(ledOf(pair.leds, 5).red, 60);
    QCOMPARE(ledOf(pair.leds, 11).red, 120);
    QCOMPARE(ledOf(pair.leds, 0).red, 1);
    QCOMPARE(ledOf(pair.leds, 4).blue, 20);
    pair = music::frame(0, 0, fan, 10, 101);
    QCOMPARE(ledOf(pair.leds, 5).red, 6);

    fan.colorMode = 1;
    const PortFrame pulse = music::frame(0, 0, fan, 8, 50);
    QCOMPARE(pulse.modeByte, kModeOneColour);
    QCOMPARE(ledOf(pulse.leds, 0), (RgbColour{65, 50, 100}));
    QVERIFY(litLeds(pulse.leds) == std::vector<int>{0});
}

void EffectFramesTest::musicSmoothing() {
    QCOMPARE(music::smooth(0, 60), 60);
    int level = 60;
    std::vector<int> seen;
    for (int i = 0; i < 6; ++i)
        seen.push_back(level = music::smooth(level, 20));
    QCOMPARE(seen, (std::vector<int>{40, 30, 25, 22, 21, 20}));
    QCOMPARE(music::smooth(20, 60), 40);
    QCOMPARE(music::smooth(150, 20), 20); // out of range: taken as it comes
}

void EffectFramesTest::musicTickUsesCopiedModeAndLevels() {
    BoxRecords boxes = plusBoxes({3});
    boxes[3].rainbowFan[0].lightMode = 8;
    boxes[3].rainbowFan[1].lightMode = 7;
    boxes[3].rainbowFan[1].copyLightMode = 11;
    music::Levels levels;
    levels.smoothedComputer = 50;
    levels.smoothedMobile = 10;
    PortFrames frames;
    QVERIFY(music::tick(boxes, levels, frames));
    QCOMPARE(frames.size(), std::size_t(2));
    QCOMPARE(ledOf(frames[0].leds, 0).red, 5);
    QCOMPARE(ledOf(frames[1].leds, 0).red, 1); // the follower uses the mobile level
    boxes[3].isConnected = false;
    frames.clear();
    QVERIFY(!music::tick(boxes, levels, frames));
}

void EffectFramesTest::temperatureWalksRising() {
    // 40 to 50 °C in one sample: 45 per tick, G rises freely to 255, then B falls to 85 and stays.
    RgbColour c{0, 0, 255};
    std::vector<RgbColour> seen;
    for (int i = 0; i < 12; ++i)
        seen.push_back(c = walkTemperatureColour(c, 50, 40));
    QCOMPARE(seen[0], (RgbColour{0, 45, 255}));
    QCOMPARE(seen[5], (RgbColour{0, 255, 255}));
    QCOMPARE(seen[6], (RgbColour{0, 255, 210}));
    QCOMPARE(seen[9], (RgbColour{0, 255, 85}));
    QCOMPARE(seen[11], (RgbColour{0, 255, 85}));
    // Rising to 42 °C: G is held at the target while t ≤ 46.
    QCOMPARE(walkTemperatureColour({0, 0, 255}, 42, 20), (RgbColour{0, 85, 255}));
    // Falling from yellow towards 60 °C: G climbs, clamped to the target at t ≥ 58.
    QCOMPARE(walkTemperatureColour({255, 0, 0}, 60, 70), (RgbColour{255, 45, 0}));
    QCOMPARE(walkTemperatureColour({255, 150, 0}, 60, 70), (RgbColour{255, 170, 0}));
}

void EffectFramesTest::temperatureUnchangedStays() {
    QCOMPARE(walkTemperatureColour({0, 17, 255}, 55, 55), (RgbColour{0, 17, 255}));
    // A difference below 1.2 degrees rounds to no step.
    QCOMPARE(walkTemperatureColour({0, 17, 255}, 56, 55), (RgbColour{0, 17, 255}));
}

void EffectFramesTest::psuModeBytesAndDefaults() {
    QCOMPARE(psuframe::mirroredModeByte(3, 2), 14);
    QCOMPARE(psuframe::mirroredModeByte(6, 3), 24);
    QCOMPARE(psuframe::mirroredModeByte(7, 0), 25);
    MirroredColours defaults;
    defaults.bright.fill(1.0f);
    const PlusReport report = psuframe::mode(defaults, 3, 1, 2);
    QCOMPARE(report[0], 0x00);
    QCOMPARE(report[1], 0x30);
    QCOMPARE(report[2], 0x42);
    QCOMPARE(report[3], 14);
    for (int k = 0; k < 12; ++k)
        QCOMPARE(psuLed(report, k), (RgbColour{255, 0, 0}));
    QCOMPARE(psuLed(psuframe::mode(defaults, 6, 0, 0), 0), (RgbColour{0, 127, 255}));
    const PlusReport off = psuframe::off();
    QCOMPARE(off[3], 0x18);
    QVERIFY(std::all_of(off.begin() + 4, off.end(), [](unsigned char b) { return b == 0; }));
    QCOMPARE(psuLed(psuframe::colour({200, 100, 50}, 0.5f), 11), (RgbColour{100, 50, 25}));
}

void EffectFramesTest::psuMusicPatterns() {
    MirroredColours c;
    c.red.fill(200);
    c.green.fill(0);
    c.blue.fill(0);
    c.bright.fill(1.0f);
    // Pattern 1 (mode 9) at level 8: LEDs 0 and 1 at 8 %, LED 2 at a tenth of that.
    PlusReport bar = psuframe::music(c, 0, 9, 8);
    QCOMPARE(psuLed(bar, 0).red, 16);
    QCOMPARE(psuLed(bar, 1).red, 16);
    QCOMPARE(psuLed(bar, 2).red, 1);
    QCOMPARE(psuLed(bar, 3).red, 0);
    // Pattern 3 (mode 11) grows out from LED 5.
    auto litCount = [](const PlusReport& r) {
        int n = 0;
        for (int k = 0; k < 12; ++k)
            n += psuLed(r, k).red ? 1 : 0;
        return n;
    };
    QCOMPARE(litCount(psuframe::music(c, 0, 11, 91)), 12);
    const PlusReport at90 = psuframe::music(c, 0, 11, 90);
    QCOMPARE(litCount(at90), 11);
    QCOMPARE(psuLed(at90, 11).red, 0);
    QCOMPARE(litCount(psuframe::music(c, 0, 11, 1)), 1);
    QCOMPARE(litCount(psuframe::music(c, 0, 11, 100)), 0);
    // Mobile bar and pair have no pattern on the supply.
    QCOMPARE(litCount(psuframe::music(c, 0, 12, 50)), 0);
    QCOMPARE(litCount(psuframe::music(c, 0, 13, 50)), 0);
    // Pattern 2 (mode 10) at 100: LEDs 11 and 5 full over the tenth ring.
    const PlusReport pair = psuframe::music(c, 0, 10, 100);
    QCOMPARE(psuLed(pair, 11).red, 200);
    QCOMPARE(psuLed(pair, 5).red, 200);
    QCOMPARE(psuLed(pair, 0).red, 20);
    QCOMPARE(psuLed(psuframe::music(c, 0, 10, 101), 11).red, 20);
}

void EffectFramesTest::psuCrossAndEffect() {
    MirroredColours c;
    c.bright.fill(1.0f);
    const PlusReport cross3 = psuframe::cross(c, 0, 3);
    QCOMPARE(psuLed(cross3, 3), (RgbColour{0, 255, 0}));
    QCOMPARE(psuLed(cross3, 8), (RgbColour{255, 0, 127}));
    QCOMPARE(psuLed(cross3, 9), (RgbColour{}));
    QCOMPARE(psuLed(psuframe::cross(c, 0, 6), 5), (RgbColour{}));

    EffectFrame frame;
    frame.red.fill(200);
    frame.brightPercent.fill(50);
    frame.brightPercent[2] = 0;
    const PlusReport effect = psuframe::effect(frame);
    QCOMPARE(psuLed(effect, 0).red, 100);
    QCOMPARE(psuLed(effect, 2).red, 0);
}

void EffectFramesTest::psuModelList_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("models");
    const QStringList builtIn{"VXD1250PT", "VXG1250GD", "VXG1200GD", "VXG1050GD", "VXG0850GD"};
    QTest::newRow("absent: built in") << QString() << builtIn;
    QTest::newRow("only commas and spaces: built in") << QString(" , ,") << builtIn;
    QTest::newRow("written as printed")
        << QString("VXD-1250-PT, XX 9000,,VXN-850") << QStringList{"VXD1250PT", "XX9000", "VXN850"};
}

void EffectFramesTest::psuModelList() {
    QFETCH(QString, text);
    QFETCH(QStringList, models);
    QStringList got;
    for (const std::string& model : powerSupplyModelsFrom(text))
        got << QString::fromStdString(model);
    QCOMPARE(got, models);
}

void EffectFramesTest::psuModelText_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("bytesRead");
    QTest::addColumn<QString>("model");
    QTest::newRow("plain") << QByteArray("\x31\x3dVXD1250PT") << 64 << "VXD1250PT";
    QTest::newRow("hyphens") << QByteArray("\x31\x3dVXG-1050-GD") << 64 << "VXG1050GD";
    QTest::newRow("ends at zero") << QByteArray("\x31\x3dVXG1200GD\0junk", 17) << 64 << "VXG1200GD";
    QTest::newRow("short read") << QByteArray("\x31\x3dVXG1200GD") << 6 << "VXG1";
    QTest::newRow("nothing") << QByteArray() << 0 << "";
}

void EffectFramesTest::psuModelText() {
    QFETCH(QByteArray, reply);
    QFETCH(int, bytesRead);
    QFETCH(QString, model);
    PlusReply in{};
    std::copy(reply.begin(), reply.end(), in.begin());
    QCOMPARE(QString::fromStdString(psuframe::modelText(in, bytesRead)), model);
}

QTEST_APPLESS_MAIN(EffectFramesTest)
#include "tst_effectframes.moc"
