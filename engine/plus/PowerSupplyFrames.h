#pragma once

#include "EffectPlayback.h"
#include "FanRecords.h"
#include "PlusReports.h"
#include "TemperatureColour.h"

#include <array>
#include <string>

namespace zyne {

constexpr std::uint16_t kPowerSupplyProductId = 0x2329;

// The colours the power supply mirrors: a copy of one port's arrays, taken when they change.
struct MirroredColours {
    std::array<int, kColourEntries> red = RainbowFanState().RColor;
    std::array<int, kColourEntries> green = RainbowFanState().GColor;
    std::array<int, kColourEntries> blue = RainbowFanState().BColor;
    std::array<float, kColourEntries> bright{};

    void copyFrom(const RainbowFanState& fan);
};

// Reports of the power supply's fan ring (report ID first, as written). Pure: no device here.
namespace psuframe {

// 30 42 mode, then 12 LED triples (green, red, blue).
PlusReport frame(int modeByte, const LedTriples& leds);
// The mode byte mirroring a port's own lighting mode.
int mirroredModeByte(int lightMode, int lightSpeed);

PlusReport mode(const MirroredColours& colours, int lightMode, int colorMode, int lightSpeed);
PlusReport off();
PlusReport colour(const RgbColour& colour, float factor);
PlusReport effect(const EffectFrame& frame);
// The music patterns: light modes 8..11 pick one, 12 and 13 have none (all LEDs dark).
PlusReport music(const MirroredColours& colours, int colorMode, int lightMode, int level);
PlusReport cross(const MirroredColours& colours, int colorMode, int position);

PlusReport wake();
PlusReport modelQuery();
// The model text of a reply to the model query: bytes 2.. up to the first zero, without hyphens.
std::string modelText(const PlusReply& reply, int bytesRead);

} // namespace psuframe

} // namespace zyne
