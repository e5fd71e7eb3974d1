#pragma once

#include "EffectFrames.h"

namespace zyne::music {

// The levels the music modes follow, 0..100: the PC's audio output and the mobile app's.
struct Levels {
    int computer = 0;
    int mobile = 0;
    int smoothedComputer = 0;
    int smoothedMobile = 0;
};

// Halves the distance to a new level, so the lights neither jump nor lag.
int smooth(int previous, int level);
// How many of the twelfths 8, 16, 25 .. 91 a level reaches (0..11).
int twelfthsReached(int level);

// The frame of one port at level L for a music light mode (8..13); the mode byte says whether it
// is a whole-fan colour (pulse with one colour) or 12 LEDs.
PortFrame frame(int box, int port, const RainbowFanState& fan, int mode, int level);

// One 50 ms tick over every present Plus box and the first three ports of every AWT box, at the
// smoothed levels (the PC's for modes 8..10, the app's for 11..13); false when no port is in a
// music mode any more.
bool tick(const BoxRecords& boxes, const Levels& levels, PortFrames& frames);

} // namespace zyne::music
