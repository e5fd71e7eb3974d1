// The shows of the program's own maker: greeting, trade-fair welcome and the rainbow ring.
#include "DemoEffects.h"

namespace zyne {

HelloVX::HelloVX() {
    whiteFade(0, 19, 0, 228);
    whiteFade(247, -19, 19, 247);
    for (int round = 0; round < 2; ++round) {
        whiteFade(0, 36, 0, 216);
        whiteFade(252, -36, 36, 252);
    }
    for (int round = 0; round < 3; ++round) {
        whiteFade(0, 85, 0, 170);
        whiteFade(255, -85, 85, 255);
    }
    comet(kRed, {76, 0, 0}, {25, 0, 0});
    pairSweep({255, 127, 127}, kRed, kWhite);
    // The hue circle builds up one LED at a time, each step flashed against a dark frame.
    for (int k = 0; k < kLedCount; ++k) {
        clearAll();
        for (int led = 0; led <= k; ++led)
            setLed(led, hueCircle(led));
        append();
        clearAll();
        append();
    }
    for (int round = 0; round < 3; ++round) {
        clearAll();
        append();
        fillAll(kRed);
        append();
        clearAll();
        append();
        fillAll(kWhite);
        append();
    }
    // The hue circle turning, every even LED dark.
    for (int f = 0; f < 2 * kLedCount; ++f) {
        for (int led = 0; led < kLedCount; ++led)
            setLed(led, led % 2 == 0 ? kDark : hueCircle((led + f) % kLedCount));
        append();
    }
}

WelcomeToCES::WelcomeToCES() {
    for (int i = 0; i < 48; ++i) {
        rippleStep([](int p, int led) {
            const DemoColour hue = hueCircle(led);
            return DemoColour{hue.red * (6 - p) / 6, hue.green * (6 - p) / 6, hue.blue * (6 - p) / 6};
        });
    }
    // Red, blue and white, four LEDs each.
    std::array<DemoColour, kLedCount> pattern{};
    for (int k = 0; k < kLedCount; ++k)
        pattern[std::size_t(k)] = k < 4 ? kRed : k < 8 ? DemoColour{0, 0, 255} : kWhite;
    clearAll();
    for (int k = 0; k < kLedCount; ++k) {
        setLed(k, pattern[std::size_t(k)]);
        append();
    }
    for (int f = 0; f < 2 * kLedCount; ++f) {
        for (int k = 0; k < kLedCount; ++k)
            setLed(k, pattern[std::size_t(kLedCount - 1 - (f + k) % kLedCount)]);
        append();
    }
}

VXNumberOne::VXNumberOne() {
    for (int i = 0; i < kLedCount; ++i) {
        fillHueCircle();
        for (int j = 0; j < kLedCount; ++j) {
            if (j == i || j == i + 6 || j == i - 6)
                continue;
            const DemoColour hue = hueCircle(j);
            setLed(j, {hue.red / 10, hue.green / 10, hue.blue / 10});
        }
        append();
    }
    for (int j = 0; j < kLedCount; ++j) {
        fillHueCircle();
        for (int led = 0; led < kLedCount; ++led) {
            if (led != j && led != kLedCount - 1 - j)
                setLed(led, kDark);
        }
        append();
    }
    // A light runs down from LED 11 to the first free LED and stays: the ring fills from LED 0.
    clearAll();
    for (int k = 0; k < kLedCount; ++k) {
        for (int a = kLedCount; a >= k + 1; --a) {
            setLed(a - 1, hueCircle(a - 1));
            if (a < kLedCount)
                setLed(a, kDark);
            append();
        }
    }
}

} // namespace zyne
