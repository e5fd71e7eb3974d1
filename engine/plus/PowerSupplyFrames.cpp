#include "PowerSupplyFrames.h"

namespace zyne {

namespace {
constexpr int kTwelfths[11] = {8, 16, 25, 33, 41, 50, 58, 66, 75, 83, 91};
// Pattern 3 grows outward from LED 5; the level at which each LED joins.
constexpr int kGrowFrom[kLedCount] = {76, 61, 46, 31, 16, 1, 16, 31, 46, 61, 76, 91};

int reached(int level) {
    int count = 0;
    for (int threshold : kTwelfths)
        count += level >= threshold ? 1 : 0;
    return count;
}

// LED k at percent of its full colour (its own entry, or the whole-fan entry in colour mode 1).
void light(LedTriples& leds, int led, const MirroredColours& c, int colorMode, int percent,
           bool tenth = false) {
    const auto e = static_cast<std::size_t>(colorMode == 1 ? kWholeFanEntry : led);
    auto channel = [&](int value) {
        const unsigned char full = colourByte(value, c.bright[e], percent);
        return static_cast<unsigned char>(tenth ? full / 10 : full);
    };
    const auto at = static_cast<std::size_t>(3 * led);
    leds[at] = channel(c.green[e]);
    leds[at + 1] = channel(c.red[e]);
    leds[at + 2] = channel(c.blue[e]);
}
} // namespace

void MirroredColours::copyFrom(const RainbowFanState& fan) {
    red = fan.RColor;
    green = fan.GColor;
    blue = fan.BColor;
    bright = fan.Bright;
}

namespace psuframe {

PlusReport frame(int modeByte, const LedTriples& leds) {
    PlusReport report{};
    report[1] = 0x30;
    report[2] = 0x42;
    report[3] = static_cast<unsigned char>(modeByte);
    std::copy(leds.begin(), leds.end(), report.begin() + 4);
    return report;
}

int mirroredModeByte(int lightMode, int lightSpeed) {
    if (lightMode >= 6)
        return (lightMode + 18) & 0xFF;
    return (lightMode * 4 + lightSpeed) & 0xFF;
}

PlusReport mode(const MirroredColours& colours, int lightMode, int colorMode, int lightSpeed) {
    LedTriples leds{};
    for (int led = 0; led < kLedCount; ++led)
        light(leds, led, colours, colorMode, 100);
    return frame(mirroredModeByte(lightMode, lightSpeed), leds);
}

PlusReport off() {
    return frame(kModeStaticFrame, {});
}

PlusReport colour(const RgbColour& c, float factor) {
    LedTriples leds{};
    for (int led = 0; led < kLedCount; ++led) {
        const auto at = static_cast<std::size_t>(3 * led);
        leds[at] = colourByte(c.green, factor);
        leds[at + 1] = colourByte(c.red, factor);
        leds[at + 2] = colourByte(c.blue, factor);
    }
    return frame(kModeStaticFrame, leds);
}

PlusReport effect(const EffectFrame& f) {
    LedTriples leds{};
    for (int led = 0; led < kLedCount; ++led) {
        const auto k = static_cast<std::size_t>(led);
        const auto at = static_cast<std::size_t>(3 * led);
        leds[at] = colourByte(f.green[k], 1.0f, f.brightPercent[k]);
        leds[at + 1] = colourByte(f.red[k], 1.0f, f.brightPercent[k]);
        leds[at + 2] = colourByte(f.blue[k], 1.0f, f.brightPercent[k]);
    }
    return frame(kModeStaticFrame, leds);
}

PlusReport music(const MirroredColours& c, int colorMode, int lightMode, int level) {
    LedTriples leds{};
    const int j = reached(level);
    switch (lightMode - 8) {
    case 0:
        for (int led = 0; led < kLedCount; ++led)
            light(leds, led, c, colorMode, level);
        break;
    case 1:
        if (level >= 0 && level < 100) {
            for (int led = 0; led <= j; ++led)
                light(leds, led, c, colorMode, level);
            if (j + 1 < kLedCount)
                light(leds, j + 1, c, colorMode, level, true);
        }
        break;
    case 2:
        for (int led = 0; led < kLedCount; ++led)
            light(leds, led, c, colorMode, 100, true);
        if (level <= 100) {
            light(leds, j, c, colorMode, 100);
            light(leds, (j + 6) % kLedCount, c, colorMode, 100);
        }
        break;
    case 3:
        if (level >= 1 && level < 100) {
            for (int led = 0; led < kLedCount; ++led) {
                if (level >= kGrowFrom[led])
                    light(leds, led, c, colorMode, level);
            }
        }
        break;
    default:
        break; // the mobile bar and pair have no pattern on the power supply
    }
    return frame(kModeStaticFrame, leds);
}

PlusReport cross(const MirroredColours& c, int colorMode, int position) {
    LedTriples leds{};
    light(leds, position, c, colorMode, 100);
    if (position != 0 && position != 6)
        light(leds, 11 - position, c, colorMode, 100);
    return frame(kModeStaticFrame, leds);
}

PlusReport wake() {
    PlusReport report{};
    report[1] = 0xFE;
    report[2] = 0x31;
    return report;
}

PlusReport modelQuery() {
    PlusReport report{};
    report[1] = 0x31;
    report[2] = 0x3D;
    return report;
}

std::string modelText(const PlusReply& reply, int bytesRead) {
    std::string text;
    const int end = std::min(bytesRead, static_cast<int>(reply.size()));
    for (int i = 2; i < end && reply[static_cast<std::size_t>(i)] != 0; ++i) {
        const char ch = static_cast<char>(reply[static_cast<std::size_t>(i)]);
        if (ch != '-')
            text.push_back(ch);
    }
    return text;
}

} // namespace psuframe

} // namespace zyne
