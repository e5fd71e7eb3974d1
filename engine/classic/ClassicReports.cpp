#include "ClassicReports.h"

#include "FanCurve.h"

#include <algorithm>

namespace zyne {

namespace {
constexpr int kModeSteady = 0x00;
constexpr int kModeCycle = 0x01;
constexpr int kModeBlink = 0x02;
constexpr int kDutyPerLevel = 20;
} // namespace

namespace classicreport {

PlusReport lighting(int port, int modeByte, unsigned char colour1, unsigned char colour2,
                    unsigned char colour3) {
    PlusReport report{};
    report[1] = 0x32;
    report[2] = 0x52;
    report[3] = static_cast<unsigned char>(port + 1);
    report[4] = static_cast<unsigned char>(modeByte);
    report[5] = colour1;
    report[6] = colour2;
    report[7] = colour3;
    return report;
}

PlusReport fanSpeed(int port, int duty) {
    PlusReport report{};
    report[1] = 0x32;
    report[2] = 0x51;
    report[3] = static_cast<unsigned char>(port + 1);
    report[4] = 0x03;
    report[5] = static_cast<unsigned char>(std::clamp(duty, 0, 100));
    return report;
}

} // namespace classicreport

PlusReport classicFrame(int port, const ColourOrder& order, int red, int green, int blue, float bright,
                        int percent) {
    const auto bytes = inColourOrder(order, colourByte(red, bright, percent), colourByte(green, bright, percent),
                                     colourByte(blue, bright, percent));
    return classicreport::lighting(port, kModeSteady, bytes[0], bytes[1], bytes[2]);
}

std::optional<PlusReport> classicLightingReport(int port, const ClassicFanState& fan, const ColourOrder& order) {
    if (fan.isTurnOff)
        return classicreport::lighting(port, kModeSteady, 0, 0, 0);
    switch (fan.lightMode) {
    case ClassicRandom:
    case ClassicMusic:
        return std::nullopt;
    case ClassicCycle:
        return classicreport::lighting(port, kModeCycle, 0, 0, 0);
    case ClassicBlink: {
        PlusReport report = classicFrame(port, order, fan.RColor, fan.GColor, fan.BColor, fan.Bright);
        report[4] = kModeBlink;
        return report;
    }
    default:
        return classicFrame(port, order, fan.RColor, fan.GColor, fan.BColor, fan.Bright);
    }
}

int classicLevelDuty(int level) {
    return kDutyPerLevel * std::clamp(level, 0, kClassicMaxLevel);
}

int classicCurveDuty(int t, int level) {
    return std::min(curveCap(t), 10 * std::clamp(level, 0, kClassicMaxLevel) + 50);
}

std::optional<int> classicSpeedRpm(const PlusReply& reply, int bytesRead) {
    if (bytesRead < 7 || reply[0] != 0x33 || reply[1] != 0x51)
        return std::nullopt;
    return reply[5] + 256 * reply[6];
}

} // namespace zyne
