#include "HotKeyCommands.h"

#include "DeviceSettings.h"
#include "IntakeInput.h"

#include <array>

namespace zyne::hotkey {

namespace {
constexpr float kBrightnessStep = 0.1f;
constexpr int kSlowestSpeed = 3;
// Alt + 8 walks the music modes, then Snake, Cycle and Radar.
constexpr std::array<int, 6> kMusicOrBasicModes{8, 9, 10, 0, 1, 2};
// Alt + 9 walks Blink, Breath, Whirl, Light and Temperature.
constexpr std::array<int, 5> kLitModes{3, 4, 5, 6, 14};

template <std::size_t N> bool isIndexOf(const std::array<int, N>&, int value) {
    return value >= 0 && value < static_cast<int>(N);
}

void stepBrightness(RainbowFanState& fan, float step) {
    // RGB steps the 12 LED factors, Single the whole-fan factor; a port whose colours are off keeps its own.
    std::size_t first = 0;
    std::size_t end = 0;
    if (fan.colorMode == 0) {
        end = kLedCount;
    } else if (fan.colorMode == 1) {
        first = kWholeFanEntry;
        end = kColourEntries;
    }
    for (std::size_t i = first; i < end; ++i)
        fan.Bright[i] = intake::brightness(fan.Bright[i] + step);
}
} // namespace

Targets targets(int command) {
    switch (command) {
    case BrightnessUp:
    case BrightnessDown:
        return Targets::PlusPresent;
    case SpeedUp:
    case SpeedDown:
    case ColourOrSwitch:
    case MusicOrBasicMode:
    case LitMode:
    case Profile:
        return Targets::ConnectedOrAwt;
    default:
        return Targets::None;
    }
}

bool changesFans(int command, int value) {
    switch (command) {
    case BrightnessUp:
    case BrightnessDown:
    case SpeedUp:
    case SpeedDown:
        return true;
    case ColourOrSwitch:
        return value >= 0 && value <= 3;
    case MusicOrBasicMode:
        return isIndexOf(kMusicOrBasicModes, value);
    case LitMode:
        return isIndexOf(kLitModes, value);
    case Profile:
        return isProfileNumber(value);
    default:
        return false;
    }
}

void apply(RainbowFanState& fan, int command, int value) {
    if (!changesFans(command, value))
        return;
    switch (command) {
    case BrightnessUp:
        stepBrightness(fan, kBrightnessStep);
        break;
    case BrightnessDown:
        stepBrightness(fan, -kBrightnessStep);
        break;
    case SpeedUp:
        fan.lightSpeed = fan.lightSpeed >= kSlowestSpeed || fan.lightSpeed < 0 ? 0 : fan.lightSpeed + 1;
        break;
    case SpeedDown:
        fan.lightSpeed =
            fan.lightSpeed <= 0 || fan.lightSpeed > kSlowestSpeed ? kSlowestSpeed : fan.lightSpeed - 1;
        break;
    case ColourOrSwitch:
        if (value <= 1)
            fan.colorMode = value;
        else
            fan.isTurnOffLed = value == 2;
        break;
    case MusicOrBasicMode:
        fan.lightMode = kMusicOrBasicModes[static_cast<std::size_t>(value)];
        break;
    case LitMode:
        fan.lightMode = kLitModes[static_cast<std::size_t>(value)];
        break;
    default:
        break;
    }
}

} // namespace zyne::hotkey
