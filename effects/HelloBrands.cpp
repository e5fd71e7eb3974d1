// The shows named after the makers of the parts in the PC.
#include "DemoEffects.h"

namespace zyne {

namespace {
constexpr DemoColour kBlue{0, 0, 255};
constexpr DemoColour kGreen{0, 255, 0};
constexpr DemoColour kAmdOrange{255, 95, 0};
constexpr DemoColour kGigabyteOrange{255, 97, 0};

constexpr std::array<DemoColour, 6> kRedTrail{
    {{255, 0, 0}, {212, 0, 0}, {170, 0, 0}, {127, 0, 0}, {85, 0, 0}, {42, 0, 0}}};
} // namespace

HelloIntel::HelloIntel() {
    pairSweep({127, 127, 255}, kBlue, kWhite, true);
    for (int b = 0; b <= 228; b += 12) {
        fillAll({0, 0, b});
        append();
    }
    for (int b = 240; b >= 12; b -= 12) {
        fillAll({0, 0, b});
        append();
    }
    fillAll(kBlue);
    appendTimes(6);
}

HelloAMD::HelloAMD() {
    for (int i = 0; i < 24; ++i) {
        for (int led = 0; led < kLedCount; ++led)
            setLed(led, (i + led) % 2 == 0 ? kAmdOrange : kDark);
        appendTimes(2);
    }
    const std::array<DemoColour, 6> greenTrail{
        {{0, 255, 0}, {0, 212, 0}, {0, 170, 0}, {0, 127, 0}, {0, 85, 0}, {0, 42, 0}}};
    const std::array<DemoColour, 6> orangeTrail{
        {{255, 95, 0}, {212, 79, 0}, {170, 63, 0}, {127, 47, 0}, {85, 31, 0}, {42, 15, 0}}};
    for (int i = 0; i < 12; ++i)
        rippleStep(greenTrail, kDark, true);
    for (int i = 0; i < 12; ++i)
        rippleStep(orangeTrail, kDark, true);
    for (int round = 0; round < 2; ++round)
        pairSweep({127, 175, 0}, kAmdOrange, kGreen);
    for (int round = 0; round < 2; ++round) {
        const auto ramp = [&](DemoColour odd, DemoColour even) {
            for (int led = 0; led < kLedCount; ++led)
                setLed(led, led % 2 == 1 ? odd : even);
            append();
        };
        for (int s = 0; s <= 12; ++s)
            ramp({19 * s, 7 * s, 0}, {0, 19 * s, 0});
        for (int s = 0; s <= 12; ++s)
            ramp({156 - 12 * s, 52 - 4 * s, 0}, {0, 156 - 12 * s, 0});
    }
}

HelloNvidia::HelloNvidia() {
    const auto singleLight = [&](int i) {
        clearAll();
        setLed(i, kGreen);
        append();
        clearAll();
        append();
    };
    for (int i = 0; i < kLedCount; ++i)
        singleLight(i);
    for (int i = kLedCount - 1; i >= 0; --i)
        singleLight(i);
    comet(kGreen, {0, 76, 0}, {0, 25, 0}, 100, 50, 25);
    for (int i = 0; i < 24; ++i)
        shortTrailStep(kGreen, kDark);
}

HelloASUSROG::HelloASUSROG() {
    for (int i = 0; i < 24; ++i)
        rippleStep(kRedTrail, kWhite);
    for (int i = 0; i < 24; ++i)
        shortTrailStep(kRed, kDark);
    const auto redOnWhite = [&](int i) {
        fillAll(kWhite);
        setLed(i, kRed);
        append();
        fillAll(kWhite);
        append();
    };
    for (int i = 0; i < kLedCount; ++i)
        redOnWhite(i);
    for (int i = kLedCount - 1; i >= 0; --i)
        redOnWhite(i);
}

HelloGigabyte::HelloGigabyte() {
    const std::array<DemoColour, 6> orangeTrail{
        {{255, 97, 0}, {212, 80, 0}, {170, 64, 0}, {127, 48, 0}, {85, 32, 0}, {42, 16, 0}}};
    for (int i = 0; i < 24; ++i)
        rippleStep(orangeTrail);
    pairSweep({127, 48, 127}, kGigabyteOrange, kBlue);
    for (int round = 0; round < 3; ++round) {
        clearAll();
        appendTimes(2);
        for (int led = 0; led < kLedCount; ++led)
            setLed(led, led % 2 == 0 ? DemoColour{255, 95, 0} : kBlue);
        appendTimes(2);
    }
}

HelloMSI::HelloMSI() {
    for (int i = 0; i < 24; ++i)
        shortTrailStep(kRed, kDark);
    pairSweep(kRed, kRed, kRed);
    // The blink: three times dark, then red, two frames each.
    for (int round = 0; round < 3; ++round) {
        clearAll();
        appendTimes(2);
        fillAll(kRed);
        appendTimes(2);
    }
    for (int i = 0; i < 24; ++i)
        rippleStep(kRedTrail);
}

} // namespace zyne
