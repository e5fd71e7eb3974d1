#pragma once

#include "AwtFrames.h"

#include <array>

namespace zyne {

// Command types of the AWT queue, by the number the queuing code stores.
enum AwtCommandType {
    AwtReadSpeeds = 0,
    AwtLighting = 1,
    AwtLighting9 = 2, // a port of fan type 7
    AwtFanSpeed = 3,  // values[0] = percent
    AwtTurnOff = 4,
    AwtTurnOn = 5,
    AwtSave = 6,
    AwtCross = 7, // 7, 8: cross effect frames
    AwtCross2 = 8,
    AwtOneColour = 9, // values = red, green, blue
    AwtMusicLight = 10,
    AwtMusicLight9 = 11,
    AwtMusicEq = 12,
    AwtMusicEq9 = 13,
    AwtMusicEq2 = 14,
    AwtMusicEq3 = 15,
    AwtEffect = 16,
    AwtEffect9 = 17,
    AwtMeteor = 18,
    AwtMeteor9 = 19,
    AwtEffect2 = 20,
    AwtPresenceCheck = 21, // values[0] = handle index
    AwtPassEnd = 22,       // values[0] = handle index
    AwtCommandTypeCount
};

// One queued AWT command, copied in when queued. Effect frames (types 7, 8 and 10..20) carry
// the LED entries their effect computed; the other types are built from the records when sent.
struct AwtCommand {
    int box = 0;
    int port = 0;
    int type = AwtReadSpeeds;
    std::array<int, 3> values{};
    awt::Leds leds{};
};

// Types whose frames an effect computes.
constexpr bool isAwtEffectFrame(int type) {
    return type == AwtCross || type == AwtCross2 || (type >= AwtMusicLight && type <= AwtEffect2);
}
// Types that act on one port of a box.
constexpr bool isAwtPortCommand(int type) {
    return type != AwtReadSpeeds && type != AwtSave && type != AwtPresenceCheck && type != AwtPassEnd;
}
// Types sent as 9-LED frames.
constexpr bool isAwtNineLedFrame(int type) {
    return type == AwtLighting9 || type == AwtMusicLight9 || type == AwtMusicEq9 || type == AwtEffect9 ||
           type == AwtMeteor9;
}
// The library time-out of a type's frame.
constexpr int awtTimeout(int type) {
    if (type == AwtCross || type == AwtCross2)
        return awt::kCrossTimeout;
    if (type >= AwtEffect && type <= AwtEffect2)
        return awt::kEffectTimeout;
    return awt::kDefaultTimeout;
}
// The log label of a type ("AWTSendCommand_Save::"...).
const char* awtCommandLabel(int type);

} // namespace zyne
