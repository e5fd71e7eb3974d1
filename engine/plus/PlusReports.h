#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace zyne {

// One output report as written: byte 0 is the report ID (0), bytes 1..64 the report r[0..63].
using PlusReport = std::array<unsigned char, 65>;
// One input report as read, without report ID.
using PlusReply = std::array<unsigned char, 64>;

constexpr std::uint16_t kMakerVendorId = 0x264A;
constexpr std::uint16_t kFirstPlusProductId = 0x1FA5;
constexpr std::uint16_t kFirstClassicProductId = 0x1F41;

constexpr std::uint16_t plusProductId(int box) {
    return static_cast<std::uint16_t>(kFirstPlusProductId + box);
}
constexpr std::uint16_t classicProductId(int box) {
    return static_cast<std::uint16_t>(kFirstClassicProductId + box);
}

// "Zyne Plus Controller No.N" for box index N - 1, as logs name a box.
QString boxLabel(int boxNum);

// Mode bytes of the lighting report that are not a built-in effect.
constexpr int kModeStaticFrame = 0x18;
constexpr int kModeOneColour = 0x19;

// Twelve LED colours in wire order (green, red, blue per LED).
using LedTriples = std::array<unsigned char, 36>;

namespace plusreport {
PlusReport probe();
PlusReport firmwareQuery();
// Ports are port indices 0..4; the wire carries port index + 1.
PlusReport readFanSpeed(int port);
PlusReport fanSpeedPercent(int port, int duty);
PlusReport fanSpeedRpm(int port, int rpm);
PlusReport lighting(int port, int modeByte, const LedTriples& leds);
PlusReport save();
} // namespace plusreport

// A colour channel as it goes on the wire: channel × brightness × percent / 100, in single
// precision, truncated toward zero and kept within a byte.
unsigned char colourByte(int channel, float brightness, int percent = 100);

struct SpeedReading {
    int port = 0; // port index 0..4
    int rpm = 0;
};
// Checks a speed reply (33 51 port .. .. lo hi); nothing when it is not one.
std::optional<SpeedReading> parseSpeedReply(const PlusReply& reply, int bytesRead);
// "major.minor.patch" from a firmware reply.
QString parseFirmwareReply(const PlusReply& reply);

} // namespace zyne
