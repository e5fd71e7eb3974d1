#pragma once

#include "AwtCommand.h"
#include "ControllerBox.h"
#include "PlusReports.h"

#include <array>
#include <vector>

namespace zyne {

using BoxRecords = std::array<ControllerBox, kBoxCount>;

// One lighting report an effect tick wants written to a port. A port of an AWT box takes it as
// a queued AWT command of type `awtType` with `value` (cross position, music level).
struct PortFrame {
    int box = 0;
    int port = 0;
    int modeByte = kModeStaticFrame;
    LedTriples leds{};
    int awtType = AwtEffect;
    int value = 0;
};
using PortFrames = std::vector<PortFrame>;

namespace lightmode {
constexpr int Copy = 7;
constexpr int Music1 = 8;
constexpr int Music2 = 9;
constexpr int Music3 = 10;
constexpr int Mobile1 = 11;
constexpr int Mobile2 = 12;
constexpr int Mobile3 = 13;
constexpr int Temperature = 14;
constexpr int Cross = 15;
constexpr int Playback = 16;
constexpr int ShootingStar = 17;
constexpr int BlackHole = 18;
constexpr int Aurora = 19;

constexpr bool isMusic(int mode) {
    return mode >= Music1 && mode <= Mobile3;
}
constexpr bool isMeteor(int mode) {
    return mode == ShootingStar || mode == BlackHole;
}
} // namespace lightmode

// Fan type 7 ("Vela Plus") has 9 LEDs on the AWT controller.
constexpr int kFanTypeNineLeds = 7;

// The boxes the effects draw on: present Plus boxes, and AWT boxes on their first three ports.
inline bool drawsEffects(const ControllerBox& box) {
    return box.isPlusConnected() || box.boxType == BoxAwt;
}
inline int effectPorts(const ControllerBox& box) {
    return box.boxType == BoxAwt ? kAwtFanCount : kPlusPortCount;
}
// An effect's AWT command type for a port: `nine` for a 9-LED fan, `twelve` otherwise.
inline int awtFrameType(const RainbowFanState& fan, int twelve, int nine) {
    return fan.FanType == kFanTypeNineLeds ? nine : twelve;
}

// A port's mode as the animations see it: a follower of port 0 takes port 0's current mode.
inline int followedMode(const ControllerBox& box, int port) {
    const int mode = box.rainbowFan[static_cast<std::size_t>(port)].lightMode;
    return mode == lightmode::Copy ? box.rainbowFan[0].lightMode : mode;
}

// A switched-off port gets its turn-off frame and nothing else, whatever its mode: the effects
// neither draw it nor count it as in their mode. A follower took port 0's switch when refreshed.
inline bool switchedOff(const RainbowFanState& fan) {
    return fan.isTurnOffLed;
}

// A port's mode as the measured effects see it: a follower uses the mode copied at its last refresh.
inline int copiedMode(const RainbowFanState& fan) {
    return fan.lightMode == lightmode::Copy ? fan.copyLightMode : fan.lightMode;
}

// Sets LED `led` of a frame, in wire order.
inline void setLed(LedTriples& leds, int led, unsigned char red, unsigned char green, unsigned char blue) {
    const auto at = static_cast<std::size_t>(3 * led);
    leds[at] = green;
    leds[at + 1] = red;
    leds[at + 2] = blue;
}

// LED `led` shows colour entry `entry` of the port, scaled by its brightness and a percentage.
inline void setLedFromEntry(LedTriples& leds, int led, const RainbowFanState& fan, int entry,
                            int percent = 100) {
    const auto e = static_cast<std::size_t>(entry);
    setLed(leds, led, colourByte(fan.RColor[e], fan.Bright[e], percent),
           colourByte(fan.GColor[e], fan.Bright[e], percent),
           colourByte(fan.BColor[e], fan.Bright[e], percent));
}

} // namespace zyne
