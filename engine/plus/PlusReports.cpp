#include "PlusReports.h"

#include <algorithm>

namespace zyne {

namespace {
PlusReport command(unsigned char r0, unsigned char r1, unsigned char r2 = 0, unsigned char r3 = 0) {
    PlusReport report{};
    report[1] = r0;
    report[2] = r1;
    report[3] = r2;
    report[4] = r3;
    return report;
}

unsigned char wirePort(int port) {
    return static_cast<unsigned char>(port + 1);
}
} // namespace

QString boxLabel(int boxNum) {
    return QStringLiteral("Zyne Plus Controller No.%1").arg(boxNum + 1);
}

namespace plusreport {

PlusReport probe() {
    return command(0xFE, 0x33);
}

PlusReport firmwareQuery() {
    return command(0x33, 0x50);
}

PlusReport readFanSpeed(int port) {
    return command(0x33, 0x51, wirePort(port));
}

PlusReport fanSpeedPercent(int port, int duty) {
    auto report = command(0x32, 0x51, wirePort(port), 0x01);
    report[5] = static_cast<unsigned char>(std::clamp(duty, 0, 100));
    return report;
}

PlusReport fanSpeedRpm(int port, int rpm) {
    auto report = command(0x32, 0x51, wirePort(port), 0x02);
    const int value = std::clamp(rpm, 0, 0xFFFF);
    report[6] = static_cast<unsigned char>(value & 0xFF);
    report[7] = static_cast<unsigned char>(value >> 8);
    return report;
}

PlusReport lighting(int port, int modeByte, const LedTriples& leds) {
    auto report = command(0x32, 0x52, wirePort(port), static_cast<unsigned char>(modeByte));
    std::copy(leds.begin(), leds.end(), report.begin() + 5);
    return report;
}

PlusReport save() {
    return command(0x32, 0x53);
}

} // namespace plusreport

unsigned char colourByte(int channel, float brightness, int percent) {
    const float value = static_cast<float>(channel) * brightness * static_cast<float>(percent) / 100.0f;
    if (!(value > 0.0f))
        return 0;
    return static_cast<unsigned char>(std::min(value, 255.0f));
}

std::optional<SpeedReading> parseSpeedReply(const PlusReply& reply, int bytesRead) {
    if (bytesRead < 7 || reply[0] != 0x33 || reply[1] != 0x51)
        return std::nullopt;
    const int wire = reply[2];
    if (wire < 1 || wire > 5)
        return std::nullopt;
    return SpeedReading{wire - 1, reply[5] + 256 * reply[6]};
}

QString parseFirmwareReply(const PlusReply& reply) {
    return QStringLiteral("%1.%2.%3").arg(reply[2]).arg(reply[3]).arg(reply[4]);
}

} // namespace zyne
