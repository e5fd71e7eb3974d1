#pragma once

#include "DeviceSettings.h"

#include <QString>

#include <array>

namespace zyne {

// One FanN group of a Plus profile file, as text.
struct PlusProfileGroup {
    QString RColor;
    QString GColor;
    QString BColor;
    QString Bright;
    QString Speed_Per;
    QString Speed_Num;
    QString SpeedMode;
    QString PWM;
    QString colorMode;
    QString lightMode;
    QString lightSpeed;
    QString isTurnOffLed;
};
using PlusProfileTexts = std::array<PlusProfileGroup, kPlusPortCount>;

// One FanN group of a classic profile file, as text.
struct ClassicProfileGroup {
    QString RColor;
    QString GColor;
    QString BColor;
    QString Bright;
    QString Speed;
    QString SpeedMode;
    QString PWM;
    QString lightMode;
    QString isTurnOffLed;
};
using ClassicProfileTexts = std::array<ClassicProfileGroup, kClassicFanCount>;

extern const std::array<GroupKey<PlusProfileGroup>, 12> kPlusProfileKeys;
extern const std::array<GroupKey<ClassicProfileGroup>, 9> kClassicProfileKeys;
// What every group reads as while its profile file does not exist.
extern const PlusProfileGroup kDefaultPlusProfileGroup;
extern const ClassicProfileGroup kDefaultClassicProfileGroup;

constexpr int kCopyLightMode = 7;

// "Fan0" for port index 0.
QString profileGroupName(int port);

// Colours, brightness, speeds and modes of each port. Out-of-range values are clamped (colours,
// brightness, light speed, speed settings) or take the profile default (light, colour and speed
// modes) so that no table lookup downstream can go past its end. A port in Copy mode (7) then takes
// colour mode, light speed and turn-off flag from port 1 and records port 1's light mode.
void applyPlusProfile(const PlusProfileTexts& profile, PlusPorts& ports);
void applyClassicProfile(const ClassicProfileTexts& profile, ClassicFans& fans);

GroupMap plusProfileGroupMap(const PlusPorts& ports);
GroupMap classicProfileGroupMap(const ClassicFans& fans);

} // namespace zyne
