#include "SpeechCommands.h"

#include "IntakeInput.h"

#include <cmath>

namespace zyne::speech {

namespace {
constexpr int kLastLightMode = 20;
constexpr int kLastColorMode = 2;
constexpr int kLastLightSpeed = 3;
constexpr int kCustomSpeedMode = 0;
constexpr int kLastSpeedLevel = 10;
constexpr int kLastDutyLevel = 5;
constexpr int kLowestDutyPercent = 50;

void setChannel(int& stored, int value) {
    if (value >= 0)
        stored = intake::colourChannel(value);
}

void setBrightness(float& stored, float value) {
    // NaN is no value: keep the stored one as for a negative.
    if (value >= 0.0f && !std::isnan(value))
        stored = intake::brightness(value);
}

void setColourEntry(RainbowFanState& fan, std::size_t entry, const ColourCommand& command, float bright) {
    setChannel(fan.RColor[entry], command.red);
    setChannel(fan.GColor[entry], command.green);
    setChannel(fan.BColor[entry], command.blue);
    setBrightness(fan.Bright[entry], bright);
}
} // namespace

bool targets(const RainbowFanState& fan, int fanType) {
    return fanType < 0 || fan.FanType == fanType;
}

QString refusal(const ModeCommand& command) {
    if (command.lightMode > kLastLightMode)
        return QStringLiteral("light mode %1 is not 0..20").arg(command.lightMode);
    if (command.colorMode > kLastColorMode)
        return QStringLiteral("colour mode %1 is not 0..2").arg(command.colorMode);
    if (command.lightSpeed > kLastLightSpeed)
        return QStringLiteral("light speed %1 is not 0..3").arg(command.lightSpeed);
    return {};
}

void apply(RainbowFanState& fan, const ModeCommand& command) {
    if (command.lightMode >= 0)
        fan.lightMode = command.lightMode;
    if (command.colorMode >= 0)
        fan.colorMode = command.colorMode;
    if (command.lightSpeed >= 0)
        fan.lightSpeed = command.lightSpeed;
    fan.isTurnOffLed = command.isTurnOff;
}

void apply(RainbowFanState& fan, const ColourCommand& command) {
    fan.selectLED = intake::mergedSelection(fan.selectLED, command.selection);
    // The brightness arrives as the factor it is, with or without a fan type (the app's percent is
    // scaled once, where the command is read).
    for (int led = 0; led < kLedCount; ++led) {
        if (intake::selects(command.selection, led))
            setColourEntry(fan, static_cast<std::size_t>(led), command, command.bright);
    }
    setColourEntry(fan, kWholeFanEntry, command, command.bright);
}

bool applyFanSpeed(RainbowFanState& fan, int percent) {
    if (fan.FanType != 0)
        return false;
    fan.SpeedMode = kCustomSpeedMode;
    // The nearest of what the port can hold: a duty level 0..5 (50 + 10 × level percent) under the
    // temperature curve, else a speed level 0..10 (tenths of full speed).
    if (fan.PWM)
        fan.Speed_Per = qBound(0, qRound((percent - kLowestDutyPercent) / 10.0), kLastDutyLevel);
    else
        fan.Speed_Num = qBound(0, qRound(percent / 10.0), kLastSpeedLevel);
    return true;
}

} // namespace zyne::speech
