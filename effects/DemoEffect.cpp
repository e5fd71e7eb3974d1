#include "DemoEffect.h"

#include "DemoEffects.h"

#include <memory>

namespace zyne {

DemoColour DemoEffect::hueCircle(int led) {
    const RainbowFanState defaults;
    const auto k = std::size_t(led);
    return {defaults.RColor[k], defaults.GColor[k], defaults.BColor[k]};
}

void DemoEffect::appendTimes(int times) {
    for (int i = 0; i < times; ++i)
        append();
}

void DemoEffect::clearAll() {
    work = EffectFrame{};
}

void DemoEffect::fillAll(DemoColour colour, int bright) {
    for (int led = 0; led < kLedCount; ++led)
        setLed(led, colour, bright);
}

void DemoEffect::setLed(int led, DemoColour colour, int bright) {
    const auto k = std::size_t(led);
    work.red[k] = colour.red;
    work.green[k] = colour.green;
    work.blue[k] = colour.blue;
    // A dark LED has nothing to scale: it carries brightness 0, as a cleared one does.
    const bool dark = colour.red == 0 && colour.green == 0 && colour.blue == 0;
    work.brightPercent[k] = dark ? 0 : bright;
}

void DemoEffect::setLedIfOnRing(int led, DemoColour colour, int bright) {
    if (led >= 0 && led < kLedCount)
        setLed(led, colour, bright);
}

void DemoEffect::fillHueCircle() {
    for (int led = 0; led < kLedCount; ++led)
        setLed(led, hueCircle(led));
}

void DemoEffect::whiteFade(int from, int step, int low, int high) {
    for (int n = from; n >= low && n <= high; n += step) {
        fillAll({n, n, n});
        append();
    }
}

void DemoEffect::comet(DemoColour head, DemoColour tail1, DemoColour tail2, int headBright, int tail1Bright,
                       int tail2Bright) {
    for (int k = 0; k <= kLedCount + 1; ++k) {
        clearAll();
        setLedIfOnRing(k, head, headBright);
        setLedIfOnRing(k - 1, tail1, tail1Bright);
        setLedIfOnRing(k - 2, tail2, tail2Bright);
        append();
    }
}

void DemoEffect::pairSweep(DemoColour single, DemoColour first, DemoColour second, bool darkAfter) {
    for (int d = 0; d < kLedCount; ++d) {
        clearAll();
        if (d == 0 || d == 5) {
            setLed(d, single);
        } else {
            setLed(d, first);
            setLed(kLedCount - 1 - d, second);
        }
        append();
        if (darkAfter) {
            clearAll();
            append();
        }
    }
}

void DemoEffect::moveTrail(int length) {
    for (int k = length - 1; k >= 1; --k)
        rippleBody[std::size_t(k)] = rippleBody[std::size_t(k - 1)];
    rippleBody[0] = (rippleBody[0] + 1) % kLedCount;
}

void DemoEffect::rippleStep(const std::function<DemoColour(int, int)>& colourAt, DemoColour background,
                            bool darkAfter) {
    moveTrail(int(rippleBody.size()));
    fillAll(background);
    for (int p = 0; p < int(rippleBody.size()); ++p) {
        const int led = rippleBody[std::size_t(p)];
        setLed(led, colourAt(p, led));
    }
    append();
    if (darkAfter) {
        clearAll();
        append();
    }
}

void DemoEffect::rippleStep(const std::array<DemoColour, 6>& trail, DemoColour background, bool darkAfter) {
    rippleStep([&](int p, int) { return trail[std::size_t(p)]; }, background, darkAfter);
}

void DemoEffect::shortTrailStep(DemoColour background, DemoColour trail) {
    moveTrail(4);
    fillAll(background);
    for (int p = 0; p < 3; ++p)
        setLed(rippleBody[std::size_t(p)], trail);
    append();
}

std::optional<std::vector<EffectFrame>> demoEffectFrames(int number) {
    std::unique_ptr<DemoEffect> effect;
    switch (number) {
    case 0:
        effect = std::make_unique<HelloVX>();
        break;
    case 1:
        effect = std::make_unique<HelloIntel>();
        break;
    case 2:
        effect = std::make_unique<HelloAMD>();
        break;
    case 3:
        effect = std::make_unique<HelloNvidia>();
        break;
    case 4:
        effect = std::make_unique<HelloASUSROG>();
        break;
    case 5:
        effect = std::make_unique<HelloGigabyte>();
        break;
    case 6:
        effect = std::make_unique<HelloMSI>();
        break;
    case 7:
        effect = std::make_unique<WelcomeToCES>();
        break;
    case 8:
        effect = std::make_unique<VXNumberOne>();
        break;
    default:
        return std::nullopt;
    }
    return effect->takeFrames();
}

} // namespace zyne
