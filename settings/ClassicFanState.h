#pragma once

#include <QString>

#include <array>

namespace zyne {

constexpr int kClassicFanCount = 3;

// One fan port of a classic box: one colour for the whole fan.
struct ClassicFanState {
    int Speed = 5;
    int SpeedMode = 2;
    bool Monitor = true;
    bool stallWarned = false;
    bool PWM = true;
    int lightMode = 0;
    int RColor = 255;
    int GColor = 255;
    int BColor = 0;
    float Bright = 1.0f;
    bool isTurnOff = false;
    QString fanName;
};

using ClassicFans = std::array<ClassicFanState, kClassicFanCount>;

} // namespace zyne
