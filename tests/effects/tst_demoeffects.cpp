// The frame lists of the built-in demo shows.
#include "DemoEffects.h"

#include <QtTest>

using namespace zyne;

namespace {
using Leds = std::array<int, 12>;

struct Colour {
    int r, g, b;
    bool operator==(const Colour& o) const { return r == o.r && g == o.g && b == o.b; }
};

Colour led(const EffectFrame& frame, int k) {
    const auto i = std::size_t(k);
    return {frame.red[i], frame.green[i], frame.blue[i]};
}

// LED k shows `lit[k]` when given, dark otherwise.
bool shows(const EffectFrame& frame, const std::map<int, Colour>& lit) {
    for (int k = 0; k < 12; ++k) {
        const auto it = lit.find(k);
        const Colour expected = it == lit.end() ? Colour{0, 0, 0} : it->second;
        if (!(led(frame, k) == expected)) {
            qWarning("LED %d shows (%d, %d, %d), expected (%d, %d, %d)", k, led(frame, k).r, led(frame, k).g,
                     led(frame, k).b, expected.r, expected.g, expected.b);
            return false;
        }
    }
    return true;
}

bool allLeds(const EffectFrame& frame, Colour colour) {
    std::map<int, Colour> lit;
    for (int k = 0; k < 12; ++k)
        lit[k] = colour;
    return shows(frame, lit);
}

Colour hue(int k) {
    const DemoColour c = DemoEffect::hueCircle(k);
    return {c.red, c.green, c.blue};
}
} // namespace

class DemoEffectsTest : public QObject {
    Q_OBJECT
private slots:
    void helloIntel();
    void helloAmd();
    void trailsRunOnAcrossPhases();
    void vxNumberOneFillsTheRing();
    void everyShowHasItsFrames();
};

void DemoEffectsTest::helloIntel() {
    const HelloIntel intel;
    const auto& f = intel.frames();
    QCOMPARE(f.size(), std::size_t(70)); // 4.9 s at 70 ms a frame
    QVERIFY(shows(f[0], {{0, {127, 127, 255}}}));
    QVERIFY(allLeds(f[1], {0, 0, 0}));
    QVERIFY(shows(f[2], {{1, {0, 0, 255}}, {10, {255, 255, 255}}}));
    QVERIFY(shows(f[10], {{5, {127, 127, 255}}}));
    QVERIFY(shows(f[22], {{11, {0, 0, 255}}, {0, {255, 255, 255}}}));
    QCOMPARE(f[2].brightPercent[1], 100);
    // The fade in and out, then six full blue frames.
    QVERIFY(allLeds(f[24], {0, 0, 0}));
    QVERIFY(allLeds(f[25], {0, 0, 12}));
    QVERIFY(allLeds(f[43], {0, 0, 228}));
    QVERIFY(allLeds(f[44], {0, 0, 240}));
    QVERIFY(allLeds(f[63], {0, 0, 12}));
    for (std::size_t i = 64; i < 70; ++i)
        QVERIFY(allLeds(f[i], {0, 0, 255}));
}

void DemoEffectsTest::helloAmd() {
    const HelloAMD amd;
    const auto& f = amd.frames();
    const Colour orange{255, 95, 0};
    std::map<int, Colour> even, odd;
    for (int k = 0; k < 12; k += 2) {
        even[k] = orange;
        odd[k + 1] = orange;
    }
    QVERIFY(shows(f[0], even));
    QVERIFY(shows(f[1], even));
    QVERIFY(shows(f[2], odd));
    QVERIFY(shows(f[47], odd));
    // First green ripple step: the head on LED 1; the rest of the trail (all still at LED 0) ends
    // with its dimmest colour there. A dark frame follows each step.
    QVERIFY(shows(f[48], {{1, {0, 255, 0}}, {0, {0, 42, 0}}}));
    QVERIFY(allLeds(f[49], {0, 0, 0}));
    QVERIFY(shows(f[50], {{2, {0, 255, 0}}, {1, {0, 212, 0}}, {0, {0, 42, 0}}}));
    // Pairs after both trails (48 + 24 + 24 frames): LED 0 alone, then LED 1 with LED 10.
    QVERIFY(shows(f[96], {{0, {127, 175, 0}}}));
    QVERIFY(shows(f[97], {{1, orange}, {10, {0, 255, 0}}}));
    // Ramps after two rounds of pairs: odd LEDs (19s, 7s, 0), even LEDs (0, 19s, 0).
    std::map<int, Colour> ramp;
    for (int k = 0; k < 12; ++k)
        ramp[k] = k % 2 ? Colour{19 * 12, 7 * 12, 0} : Colour{0, 19 * 12, 0};
    QVERIFY(shows(f[120 + 12], ramp));
    QCOMPARE(f.size(), std::size_t(48 + 24 + 24 + 24 + 52));
}

void DemoEffectsTest::trailsRunOnAcrossPhases() {
    // HelloNvidia's three-LED trail continues where nothing moved it before: after 24 steps the
    // head has gone twice round the ring, back to LED 0, with LEDs 11 and 10 behind it.
    const HelloNvidia nvidiaShow;
    const auto& nvidia = nvidiaShow.frames();
    QCOMPARE(nvidia.size(), std::size_t(86));
    std::map<int, Colour> green;
    for (int k = 0; k < 12; ++k)
        green[k] = {0, 255, 0};
    green.erase(0);
    green.erase(11);
    green.erase(10);
    QVERIFY(shows(nvidia[85], green));
    // The comet's tail is dimmer in brightness too (used by the power-supply mirror).
    const EffectFrame& comet = nvidia[48 + 5];
    QVERIFY(shows(comet, {{5, {0, 255, 0}}, {4, {0, 76, 0}}, {3, {0, 25, 0}}}));
    QCOMPARE(comet.brightPercent[5], 100);
    QCOMPARE(comet.brightPercent[4], 50);
    QCOMPARE(comet.brightPercent[3], 25);

    // HelloASUSROG's second phase picks the trail up after the 24 ripple steps of the first.
    const HelloASUSROG rogShow;
    const auto& rog = rogShow.frames();
    QCOMPARE(rog.size(), std::size_t(96));
    std::map<int, Colour> red;
    for (int k = 0; k < 12; ++k)
        red[k] = {255, 0, 0};
    red[1] = red[0] = red[11] = {0, 0, 0};
    QVERIFY(shows(rog[24], red));
}

void DemoEffectsTest::vxNumberOneFillsTheRing() {
    const VXNumberOne one;
    const auto& f = one.frames();
    QCOMPARE(f.size(), std::size_t(12 + 12 + 78));
    // LED 3 and LED 9 at full colour, the others at a tenth.
    for (int k = 0; k < 12; ++k) {
        const Colour full = hue(k);
        const Colour expected = k == 3 || k == 9 ? full : Colour{full.r / 10, full.g / 10, full.b / 10};
        QVERIFY(led(f[3], k) == expected);
    }
    QVERIFY(shows(f[12 + 2], {{2, hue(2)}, {9, hue(9)}}));
    // The running light: it starts at LED 11, reaches LED 0 and stays; the next one stops at LED 1.
    QVERIFY(shows(f[24], {{11, hue(11)}}));
    QVERIFY(shows(f[24 + 11], {{0, hue(0)}}));
    QVERIFY(shows(f[24 + 12], {{0, hue(0)}, {11, hue(11)}}));
    std::map<int, Colour> ring;
    for (int k = 0; k < 12; ++k)
        ring[k] = hue(k);
    QVERIFY(shows(f.back(), ring));
}

void DemoEffectsTest::everyShowHasItsFrames() {
    const std::size_t counts[] = {0, 70, 172, 86, 96, 48, 72, 84, 102};
    for (int n = 0; n <= 8; ++n) {
        const auto frames = demoEffectFrames(n);
        QVERIFY(frames.has_value());
        if (n > 0)
            QCOMPARE(frames->size(), counts[n]);
        for (const EffectFrame& frame : *frames) {
            for (int k = 0; k < 12; ++k) {
                const auto i = std::size_t(k);
                QVERIFY(frame.red[i] >= 0 && frame.red[i] <= 255 && frame.green[i] >= 0 &&
                        frame.green[i] <= 255 && frame.blue[i] >= 0 && frame.blue[i] <= 255);
                QVERIFY(frame.brightPercent[i] >= 0 && frame.brightPercent[i] <= 100);
            }
        }
    }
    // HelloVX: fades 26 + 28 + 18, comet 14, pairs 12, build-up 24, blinks 12, turning ring 24.
    QCOMPARE(demoEffectFrames(0)->size(), std::size_t(26 + 28 + 18 + 14 + 12 + 24 + 12 + 24));
    const auto welcome = demoEffectFrames(7);
    // The red, blue and white ring turning: frame f shows pattern entry 11 - ((f + k) mod 12) on LED k.
    QVERIFY(led((*welcome)[48 + 12], 0) == (Colour{255, 255, 255}));
    QVERIFY(led((*welcome)[48 + 12 + 4], 0) == (Colour{0, 0, 255}));
    QVERIFY(led((*welcome)[48 + 11], 11) == (Colour{255, 255, 255}));
    QVERIFY(!demoEffectFrames(-1));
    QVERIFY(!demoEffectFrames(9));
}

QTEST_GUILESS_MAIN(DemoEffectsTest)
#include "tst_demoeffects.moc"
