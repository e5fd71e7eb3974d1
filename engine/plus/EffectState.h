#pragma once

#include "TemperatureColour.h"

namespace zyne {

// A LED position on a box's port, as the meteor walks it.
struct LedPosition {
    int box = 0;
    int port = 0;
    int led = 0;
};

// The one meteor shared by every port in the meteor modes.
struct MeteorState {
    int seriesLightMode = 0; // 1 lit meteor on a dark fan, 2 dark meteor on a lit fan
    int seriesColorMode = 0;
    LedPosition head;
    int tick = 0;
};

// Engine-wide measurements the temperature-driven features share.
struct TemperatureState {
    int current = 0;
    int previous = 0;
    RgbColour displayed = temperatureTargetColour(0);
};

} // namespace zyne
