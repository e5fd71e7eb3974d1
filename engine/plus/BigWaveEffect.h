#pragma once

#include "EffectFrames.h"
#include "TemperatureColour.h"

namespace zyne {

// Aurora: one wave colour walks red, yellow, green, cyan, blue, white, magenta for all ports.
class BigWaveEffect {
public:
    // The wave colour after one step of size h.
    static RgbColour step(RgbColour colour, int h);

    // One 100 ms tick over every present Plus and AWT box; false when no port is in the mode any more.
    bool tick(const BoxRecords& boxes, PortFrames& frames);

    // The frame of one port at its speed; moves the wave colour on by seven steps.
    LedTriples nextFrame(int lightSpeed);

    RgbColour colour() const { return m_colour; }
    int tickCount() const { return m_tick; }

private:
    RgbColour m_colour{255, 0, 0};
    int m_tick = 0;
};

} // namespace zyne
