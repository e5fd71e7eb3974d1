#include "BigWaveEffect.h"

#include <algorithm>

namespace zyne {

namespace {
// The shared tick counter runs 0..47 so every speed divisor (1..4) divides it evenly.
constexpr int kTickWrap = 48;
constexpr int kColoursPerFrame = 7;
// LEDs 1..12 show these of the seven successive wave colours.
constexpr int kLedColour[kLedCount] = {4, 5, 6, 5, 4, 3, 2, 1, 0, 1, 2, 3};
} // namespace

RgbColour BigWaveEffect::step(RgbColour c, int h) {
    auto up = [h](int v) { return std::min(v + h, 255); };
    auto down = [h](int v) { return std::max(v - h, 0); };
    if (c.red == 255 && c.green <= 254 && c.blue == 0)
        c.green = up(c.green);
    else if (c.red >= 1 && c.green == 255 && c.blue == 0)
        c.red = down(c.red);
    else if (c.red == 0 && c.green == 255 && c.blue <= 254)
        c.blue = up(c.blue);
    else if (c.red == 0 && c.green >= 1 && c.blue == 255)
        c.green = down(c.green);
    else if (c.red < 255 && c.green < 255 && c.blue == 255) {
        c.red = up(c.red);
        c.green = up(c.green);
    } else if (c.red == 255 && c.green >= 1 && c.blue == 255)
        c.green = down(c.green);
    else if (c.red == 255 && c.green == 0 && c.blue >= 1)
        c.blue = down(c.blue);
    return c;
}

LedTriples BigWaveEffect::nextFrame(int lightSpeed) {
    const int h = 24 / (lightSpeed + 1) + 5;
    RgbColour wave[kColoursPerFrame];
    for (auto& colour : wave) {
        m_colour = step(m_colour, h);
        colour = m_colour;
    }
    LedTriples leds{};
    for (int led = 0; led < kLedCount; ++led) {
        const RgbColour& c = wave[kLedColour[led]];
        setLed(leds, led, static_cast<unsigned char>(c.red), static_cast<unsigned char>(c.green),
               static_cast<unsigned char>(c.blue));
    }
    return leds;
}

bool BigWaveEffect::tick(const BoxRecords& boxes, PortFrames& frames) {
    bool used = false;
    for (int b = 0; b < kBoxCount; ++b) {
        const ControllerBox& box = boxes[static_cast<std::size_t>(b)];
        if (!drawsEffects(box))
            continue;
        for (int p = 0; p < effectPorts(box); ++p) {
            const RainbowFanState& fan = box.rainbowFan[static_cast<std::size_t>(p)];
            if (followedMode(box, p) != lightmode::Aurora || !fan.Monitor || switchedOff(fan))
                continue;
            used = true;
            const int speed = std::clamp(fan.lightSpeed, 0, 3);
            if (m_tick % (speed + 1) != 0)
                continue;
            frames.push_back(
                {b, p, kModeStaticFrame, nextFrame(speed), awtFrameType(fan, AwtEffect2, AwtEffect9)});
        }
    }
    if (++m_tick >= kTickWrap)
        m_tick = 0;
    return used;
}

} // namespace zyne
