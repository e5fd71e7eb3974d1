#pragma once

#include "FanRecords.h"

#include <QString>

namespace zyne::speech {

// Voice commands from the mobile app. A negative value keeps what the port has stored.

struct ModeCommand {
    int lightMode = -1;
    int colorMode = -1;
    int lightSpeed = -1;
    bool isTurnOff = false;
    int fanType = -1; // negative: every port
};

struct ColourCommand {
    int red = -1;
    int green = -1;
    int blue = -1;
    float bright = -1.0f;
    QString selection;
    int fanType = -1;
};

// A port takes part when no fan type is given or its own type is the one given.
bool targets(const RainbowFanState& fan, int fanType);

// Empty when the command can be applied, else why it is refused (a value no port can hold).
QString refusal(const ModeCommand& command);
void apply(RainbowFanState& fan, const ModeCommand& command);
void apply(RainbowFanState& fan, const ColourCommand& command);

// Fan speed by voice, in percent 0..100: only plain fans (type 0) take it, as a custom speed at the
// nearest level the port holds; returns whether this port took it.
bool applyFanSpeed(RainbowFanState& fan, int percent);

} // namespace zyne::speech
