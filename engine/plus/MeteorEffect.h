#pragma once

#include "EffectFrames.h"
#include "EffectState.h"

namespace zyne::meteor {

// The series panel's light modes that run the meteor over every port.
bool isSeriesMeteor(int seriesLightMode);

// Moves the meteor's head to LED 0 of a port; the two trailing LEDs stay where they were.
void start(MeteorState& state, int box, int port, int variant);

// One 50 ms tick: moves the meteor on and draws the ports it touches. False when a search over
// every box found no port in a meteor mode any more (the timer closes).
bool tick(MeteorState& state, const BoxRecords& boxes, const SeriesSettings& series, PortFrames& frames);

// Lit meteor: dark port with the meteor's three LEDs in the port's colours.
LedTriples meteorFrame(const MeteorState& state, int box, int port, const RainbowFanState& fan);
// Dark meteor: the series colours with the meteor's three LEDs off.
LedTriples shadowFrame(const MeteorState& state, int box, int port, const RainbowFanState& fan,
                       const SeriesSettings& series);
// A dark-meteor port's own colours, unscaled, for when the meteor is not on it.
LedTriples restoreFrame(int seriesColorMode, const RainbowFanState& fan);

} // namespace zyne::meteor
