#include "PortColours.h"

namespace zyne {

namespace {
void setTriple(LedTriples& leds, int position, unsigned char red, unsigned char green, unsigned char blue) {
    const auto at = static_cast<std::size_t>(3 * position);
    leds[at] = green;
    leds[at + 1] = red;
    leds[at + 2] = blue;
}

int sourceEntry(LedLayout layout, int position) {
    switch (layout) {
    case LedLayout::WholeFan:
        return kWholeFanEntry;
    case LedLayout::TwoRingsOfSix:
        return 2 * (position % 6) + 1;
    case LedLayout::PerLed:
        break;
    }
    return position;
}
} // namespace

LedTriples portColours(const RainbowFanState& port, LedLayout layout, int percent) {
    LedTriples leds{};
    for (int position = 0; position < kLedCount; ++position) {
        const auto entry = static_cast<std::size_t>(sourceEntry(layout, position));
        const float bright = port.Bright[entry];
        setTriple(leds, position, colourByte(port.RColor[entry], bright, percent),
                  colourByte(port.GColor[entry], bright, percent),
                  colourByte(port.BColor[entry], bright, percent));
    }
    return leds;
}

LedTriples wholeFanColourOnly(const RainbowFanState& port) {
    LedTriples leds{};
    const float bright = port.Bright[kWholeFanEntry];
    setTriple(leds, 0, colourByte(port.RColor[kWholeFanEntry], bright),
              colourByte(port.GColor[kWholeFanEntry], bright),
              colourByte(port.BColor[kWholeFanEntry], bright));
    return leds;
}

LedTriples singleColour(int red, int green, int blue) {
    LedTriples leds{};
    setTriple(leds, 0, colourByte(red, 1.0f), colourByte(green, 1.0f), colourByte(blue, 1.0f));
    return leds;
}

LedLayout staticLayout(const RainbowFanState& port) {
    if (port.colorMode == 1)
        return LedLayout::WholeFan;
    return port.FanType == kFanTypePumpHead ? LedLayout::TwoRingsOfSix : LedLayout::PerLed;
}

LedLayout whirlLayout(const RainbowFanState& port) {
    if (port.FanType == kFanTypePumpHead)
        return LedLayout::TwoRingsOfSix;
    return port.colorMode == 1 ? LedLayout::WholeFan : LedLayout::PerLed;
}

} // namespace zyne
