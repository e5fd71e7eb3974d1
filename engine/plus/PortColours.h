#pragma once

#include "FanRecords.h"
#include "PlusReports.h"

namespace zyne {

// How the 12 LED positions of a report take the port's colours.
enum class LedLayout {
    PerLed,        // LED k shows colour entry k
    WholeFan,      // every LED shows the whole-fan colour (entry 12)
    TwoRingsOfSix, // positions 0..5 and 6..11 show entries 1, 3, 5, 7, 9, 11
};

// The 12 LED triples of a port in wire order, each channel scaled by its brightness and percent.
LedTriples portColours(const RainbowFanState& port, LedLayout layout, int percent = 100);
// Only the first triple set: the whole-fan colour scaled by its brightness.
LedTriples wholeFanColourOnly(const RainbowFanState& port);
// Only the first triple set, unscaled.
LedTriples singleColour(int red, int green, int blue);

// The layout Blink, Breath and Light use; Whirl always lays a pump head out as two rings.
LedLayout staticLayout(const RainbowFanState& port);
LedLayout whirlLayout(const RainbowFanState& port);

// Fan type 1 ("Brook Zyne RGB"), a pump head whose LEDs are two rings of six.
constexpr int kFanTypePumpHead = 1;

} // namespace zyne
