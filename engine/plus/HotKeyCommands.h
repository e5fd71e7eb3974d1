#pragma once

#include "FanRecords.h"

namespace zyne::hotkey {

// Which boxes a hot-key command acts on.
enum class Targets {
    None,           // unknown command
    PlusPresent,    // boxes marked present as Plus
    ConnectedOrAwt, // connected Plus boxes and AWT boxes
};

enum Command {
    BrightnessUp = 0,
    BrightnessDown = 1,
    SpeedUp = 2,
    SpeedDown = 3,
    ColourOrSwitch = 4,
    MusicOrBasicMode = 5,
    LitMode = 6,
    Profile = 7,
};

Targets targets(int command);
// Whether the command with this value changes anything: unknown values of a known command do not,
// and then nothing is written.
bool changesFans(int command, int value);
// The change of commands 0..6 on one port (command 7 loads a profile, which the engine does).
void apply(RainbowFanState& fan, int command, int value);

} // namespace zyne::hotkey
