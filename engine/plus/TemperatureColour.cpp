#include "TemperatureColour.h"

namespace zyne {

namespace {
// The integer parts of 255·k/6.
constexpr int kSteps[7] = {0, 42, 85, 127, 170, 212, 255};
} // namespace

RgbColour temperatureTargetColour(int t) {
    if (t < 40)
        return {0, 0, 255};
    if (t <= 46)
        return {0, kSteps[t - 40], 255};
    if (t <= 52)
        return {0, 255, kSteps[52 - t]};
    if (t <= 58)
        return {kSteps[t - 52], 255, 0};
    if (t <= 64)
        return {255, kSteps[64 - t], 0};
    if (t <= 70)
        return {255, 0, kSteps[t - 64]};
    return {255, 0, 255};
}

} // namespace zyne
