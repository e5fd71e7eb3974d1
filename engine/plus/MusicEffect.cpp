#include "MusicEffect.h"

namespace zyne::music {

namespace {
// The integer parts of 100·j/12 for j = 1..11.
constexpr int kTwelfths[11] = {8, 16, 25, 33, 41, 50, 58, 66, 75, 83, 91};
constexpr int kRotatingTop = 101;

// Colour × brightness × percent / 100 for one LED; `tenth` divides the result by ten.
void lightLed(LedTriples& leds, int led, const RainbowFanState& fan, int entry, int percent, bool tenth) {
    const auto e = static_cast<std::size_t>(entry);
    auto channel = [&](int value) {
        const unsigned char full = colourByte(value, fan.Bright[e], percent);
        return static_cast<unsigned char>(tenth ? full / 10 : full);
    };
    setLed(leds, led, channel(fan.RColor[e]), channel(fan.GColor[e]), channel(fan.BColor[e]));
}

int entryFor(const RainbowFanState& fan, int led) {
    return fan.colorMode == 1 ? kWholeFanEntry : led;
}

LedTriples pulse(const RainbowFanState& fan, int level) {
    LedTriples leds{};
    for (int led = 0; led < kLedCount; ++led)
        lightLed(leds, led, fan, led, level, false);
    return leds;
}

LedTriples levelBar(const RainbowFanState& fan, int level) {
    LedTriples leds{};
    if (level < 0 || level >= 100)
        return leds;
    const int lit = twelfthsReached(level) + 1;
    for (int led = 0; led < lit; ++led)
        lightLed(leds, led, fan, entryFor(fan, led), level, false);
    if (lit < kLedCount)
        lightLed(leds, lit, fan, entryFor(fan, lit), level, true);
    return leds;
}

LedTriples rotatingPair(const RainbowFanState& fan, int level) {
    LedTriples leds{};
    for (int led = 0; led < kLedCount; ++led)
        lightLed(leds, led, fan, entryFor(fan, led), 100, true);
    if (level < 0 || level >= kRotatingTop)
        return leds;
    const int j = twelfthsReached(level) % 6;
    lightLed(leds, j, fan, entryFor(fan, j), 100, false);
    lightLed(leds, j + 6, fan, entryFor(fan, j + 6), 100, false);
    return leds;
}
} // namespace

int smooth(int p, int x) {
    double value = x;
    if (p > 0 && p < x)
        value = p + (x - p) * 0.5;
    else if (x < p && p <= 100)
        value = p - (p - x) * 0.5;
    return static_cast<int>(value);
}

int twelfthsReached(int level) {
    int reached = 0;
    for (int threshold : kTwelfths)
        reached += level >= threshold ? 1 : 0;
    return reached;
}

PortFrame frame(int box, int port, const RainbowFanState& fan, int mode, int level) {
    PortFrame out{box, port, kModeStaticFrame, {}};
    out.value = level;
    switch (mode) {
    case lightmode::Music1:
    case lightmode::Mobile1:
        out.awtType = awtFrameType(fan, AwtMusicLight, AwtMusicLight9);
        if (fan.colorMode == 1) {
            out.modeByte = kModeOneColour;
            lightLed(out.leds, 0, fan, kWholeFanEntry, level, false);
        } else {
            out.leds = pulse(fan, level);
        }
        break;
    case lightmode::Music2:
    case lightmode::Mobile2:
        out.awtType = awtFrameType(fan, AwtMusicEq, AwtMusicEq9);
        out.leds = levelBar(fan, level);
        break;
    default:
        out.awtType = awtFrameType(fan, AwtMusicEq2, AwtMusicEq3);
        out.leds = rotatingPair(fan, level);
        break;
    }
    return out;
}

bool tick(const BoxRecords& boxes, const Levels& levels, PortFrames& frames) {
    bool used = false;
    for (int b = 0; b < kBoxCount; ++b) {
        const ControllerBox& box = boxes[static_cast<std::size_t>(b)];
        if (!drawsEffects(box))
            continue;
        for (int p = 0; p < effectPorts(box); ++p) {
            const RainbowFanState& fan = box.rainbowFan[static_cast<std::size_t>(p)];
            const int mode = copiedMode(fan);
            if (!lightmode::isMusic(mode) || switchedOff(fan))
                continue;
            used = true;
            const int level = mode <= lightmode::Music3 ? levels.smoothedComputer : levels.smoothedMobile;
            frames.push_back(frame(b, p, fan, mode, level));
        }
    }
    return used;
}

} // namespace zyne::music
