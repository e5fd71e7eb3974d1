#pragma once

#include "FanRecords.h"
#include "TemperatureColour.h"

#include <array>

namespace zyne {

// A LED position on a box's port, as the meteor walks it.
struct LedPosition {
    int box = 0;
    int port = 0;
    int led = 0;
    bool onSamePort(const LedPosition& other) const { return box == other.box && port == other.port; }
};

// The one meteor shared by every port in the meteor modes: the head and the two LEDs behind it.
struct MeteorState {
    int seriesLightMode = 0; // 1 lit meteor on a dark fan, 2 dark meteor on a lit fan
    int seriesColorMode = 0; // 0 per-LED colours, 1 the whole-fan entry
    // The series panel runs the meteor: it switched every port off on purpose, so the meteor
    // walks switched-off ports too.
    bool seriesRun = false;
    LedPosition head;
    LedPosition previous;
    LedPosition beforePrevious;
    int tick = 0;
};

// What the series panel set last; the dark meteor paints its fans with these colours.
struct SeriesSettings {
    int lightSpeed = 0;
    std::array<int, kColourEntries> red = RainbowFanState().RColor;
    std::array<int, kColourEntries> green = RainbowFanState().GColor;
    std::array<int, kColourEntries> blue = RainbowFanState().BColor;
};

// Engine-wide measurements the temperature-driven features share.
struct TemperatureState {
    int current = 0;
    int previous = 0;
    RgbColour displayed = temperatureTargetColour(0);
};

} // namespace zyne
