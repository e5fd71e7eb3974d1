#pragma once

#include <QString>

#include <array>

namespace zyne {

constexpr int kBoxCount = 16;
constexpr int kPlusPortCount = 5;
constexpr int kAwtFanCount = 3;
constexpr int kLedCount = 12;
// LEDs 0..11 plus entry 12, the single colour of the whole fan.
constexpr int kColourEntries = 13;
constexpr int kWholeFanEntry = 12;

constexpr bool isBoxIndex(int box) {
    return box >= 0 && box < kBoxCount;
}
constexpr bool isPlusPortIndex(int port) {
    return port >= 0 && port < kPlusPortCount;
}

// One fan port of a Plus box (or the AWT controller's first three ports).
struct RainbowFanState {
    int FanType = 0;
    bool spareFlag1 = false;
    int Speed_Per = 5;
    int Speed_Num = 10;
    int SpeedMode = 2;
    bool Monitor = true;
    bool spareFlag2 = false;
    bool stallWarned = false;
    bool PWM = true;
    int colorMode = 0;
    int lightMode = 0;
    int lightSpeed = 0;
    int copyLightMode = 0;
    int spareInt1 = 0;
    std::array<int, kColourEntries> RColor{0, 0, 0, 0, 127, 255, 255, 255, 255, 255, 127, 0, 255};
    std::array<int, kColourEntries> GColor{127, 255, 255, 255, 255, 255, 127, 0, 0, 0, 0, 0, 0};
    std::array<int, kColourEntries> BColor{255, 255, 127, 0, 0, 0, 0, 0, 127, 255, 255, 255, 0};
    std::array<float, kColourEntries> Bright{};
    bool isTurnOffLed = true;
    QString selectLED = QString(kLedCount, QLatin1Char('0'));
    QString FanName;
    int spareInt2 = 0;
};

// Fan record of the AWT controller; only the monitor and stall-warned flags are used.
struct AwtFanState {
    bool spareFlag = false;
    int spareInt1 = 5;
    int spareInt2 = 2;
    bool Monitor = true;
    bool spareFlag2 = false;
    bool stallWarned = false;
    bool spareFlag3 = true;
    int spareInt3 = 0;
    int spareInt4 = 0;
    int spareInt5 = 0;
    int spareInt6 = 255;
    int spareInt7 = 0;
    int spareInt8 = 0;
    float spareFloat = 1.0f;
    bool spareFlag4 = true;
};

} // namespace zyne
