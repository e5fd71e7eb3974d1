#include "TemperatureColour.h"

#include <algorithm>
#include <cstdlib>

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

namespace zyne {

RgbColour walkTemperatureColour(RgbColour c, int current, int previous) {
    if (current == previous)
        return c;
    const int step = 5 * std::abs(static_cast<int>((current - previous) * 0.9));
    const RgbColour target = temperatureTargetColour(current);
    const int t = current;
    auto up = [step](int v) { return std::min(v + step, 255); };
    auto down = [step](int v) { return std::max(v - step, 0); };
    if (current < previous) {
        if (c.red == 255 && c.green < 255 && c.blue == 0) {
            c.green = up(c.green);
            if (c.green > target.green && t >= 58)
                c.green = target.green;
        } else if (c.red > 0 && c.green == 255 && c.blue == 0) {
            c.red = down(c.red);
            if (c.red < target.red && t >= 52)
                c.red = target.red;
        } else if (c.red == 0 && c.green == 255 && c.blue < 255) {
            c.blue = up(c.blue);
            if (c.blue > target.blue && t >= 46)
                c.blue = target.blue;
        } else if (c.red == 0 && c.green > 0 && c.blue == 255) {
            c.green = std::max(down(c.green), target.green);
        }
        return c;
    }
    if (c.red == 0 && c.green < 255 && c.blue == 255) {
        c.green = up(c.green);
        if (c.green > target.green && t <= 46)
            c.green = target.green;
    } else if (c.red == 0 && c.green == 255 && c.blue > 0) {
        c.blue = down(c.blue);
        if (c.blue < target.blue && t <= 52)
            c.blue = target.blue;
    } else if (c.red < 255 && c.green == 255 && c.blue == 0) {
        c.red = up(c.red);
        if (c.red > target.red && t <= 58)
            c.red = target.red;
    } else if (c.red == 255 && c.green > 0 && c.blue == 0) {
        c.green = down(c.green);
        if (c.green < target.green && t <= 64)
            c.green = target.green;
    }
    return c;
}

} // namespace zyne
