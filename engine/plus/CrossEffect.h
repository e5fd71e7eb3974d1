#pragma once

#include "EffectFrames.h"

namespace zyne::cross {

// The cross step counter of a port restarts here, a common multiple of every speed's 12 positions.
constexpr int kStepWrap = 144;

// Where the cross of one port stands on this tick (0..11).
struct CrossStep {
    int box = 0;
    int port = 0;
    int position = 0;
};

// One 50 ms tick: advances the step counter of every port in the cross mode (kept in its record)
// and draws it (AWT boxes: their first three ports). Returns the positions drawn; empty when no port is in
// the mode any more.
std::vector<CrossStep> tick(BoxRecords& boxes, PortFrames& frames);

// A port's frame with the cross at a position: two opposite LEDs lit.
LedTriples frame(const RainbowFanState& fan, int position);

} // namespace zyne::cross
