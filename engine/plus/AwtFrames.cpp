#include "AwtFrames.h"

#include "ChipLink.h"

#include <algorithm>

namespace zyne::awt {

namespace {
constexpr int kFirstBoxByte = 9;
constexpr std::uint8_t kReadSpeeds = 0x5A;
constexpr std::uint8_t kSetSpeed = 0x5B;
constexpr std::uint8_t kSave = 0x5C;
constexpr std::uint8_t kFirmware = 0x5D;
constexpr std::uint8_t kTurnOn = 0x5E;
constexpr std::uint8_t kTwelveLedFrame = 0x20;
constexpr std::uint8_t kNineLedFrame = 0x10;
constexpr int kRadar = 2;
constexpr int kCopy = 7;
constexpr int kMinFanDuty = 23;
constexpr int kDigitsPerSpeed = 4;

// Effect codes of light modes 0..6: Snake, Cycle, Radar, Blink, Breath, Whirl, Light.
constexpr std::array<std::uint8_t, 7> kEffectCodes{0x50, 0x60, 0x10, 0x20, 0x30, 0x00, 0x40};
constexpr std::uint8_t kCopyOfCopyCode = 0x70;

Frame header(int box, std::uint8_t command) {
    return {0x26, 0x4A, 0x20, static_cast<std::uint8_t>(kFirstBoxByte + box), command};
}

std::uint8_t channel(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// truncate(bright × 100) in single precision, kept within 0..100.
std::uint8_t percentOf(float bright) {
    const float percent = bright * 100.0f;
    if (!(percent > 0.0f))
        return 0;
    return static_cast<std::uint8_t>(std::min(percent, 100.0f));
}

Led entry(const RainbowFanState& port, int index) {
    const auto at = static_cast<std::size_t>(index);
    return {channel(port.RColor[at]), channel(port.GColor[at]), channel(port.BColor[at]),
            percentOf(port.Bright[at])};
}

bool isDigit(std::uint8_t byte) {
    return byte >= '0' && byte <= '9';
}
} // namespace

std::uint8_t portMask(int port) {
    return static_cast<std::uint8_t>(1u << std::clamp(port, 0, kAwtFanCount - 1));
}

Frame readSpeeds(int box) {
    return header(box, kReadSpeeds);
}

Frame setFanSpeed(int box, int port, int duty) {
    Frame frame = header(box, kSetSpeed);
    frame.push_back(portMask(port));
    frame.push_back(static_cast<std::uint8_t>(std::clamp(duty, 0, 100)));
    return frame;
}

Frame save(int box) {
    return header(box, kSave);
}

Frame firmware(int box) {
    return header(box, kFirmware);
}

Frame turnOn(int box, int port) {
    Frame frame = header(box, kTurnOn);
    frame.push_back(portMask(port));
    return frame;
}

Frame lighting(int box, int port, std::uint8_t effect, const Leds& leds, bool nineLeds) {
    const int count = nineLeds ? kNineLedCount : kLedCount;
    Frame frame =
        header(box, static_cast<std::uint8_t>((nineLeds ? kNineLedFrame : kTwelveLedFrame) | portMask(port)));
    frame.reserve(frame.size() + 1 + 4 * static_cast<std::size_t>(count));
    frame.push_back(effect);
    for (int i = 0; i < count; ++i) {
        const Led& led = leds[static_cast<std::size_t>(i)];
        frame.insert(frame.end(), {led.red, led.green, led.blue, led.brightness});
    }
    return frame;
}

std::uint8_t effectByte(int mode, int lightSpeed) {
    std::uint8_t code = kComputedEffect;
    if (mode >= 0 && mode < static_cast<int>(kEffectCodes.size()))
        code = kEffectCodes[static_cast<std::size_t>(mode)];
    else if (mode == kCopy)
        code = kCopyOfCopyCode;
    return static_cast<std::uint8_t>(code | (std::clamp(lightSpeed, 0, 3) * 4));
}

Leds portLeds(const RainbowFanState& port, int mode) {
    Leds leds{};
    if (mode == kRadar) {
        leds[0] = entry(port, kWholeFanEntry);
        leds[0].brightness = 100;
        return leds;
    }
    for (int i = 0; i < kLedCount; ++i)
        leds[static_cast<std::size_t>(i)] = entry(port, port.colorMode == 1 ? kWholeFanEntry : i);
    return leds;
}

Leds oneColour(int red, int green, int blue) {
    Leds leds;
    leds.fill({channel(red), channel(green), channel(blue), 100});
    return leds;
}

Leds fromTriples(const LedTriples& triples, bool oneColour) {
    Leds leds{};
    for (int i = 0; i < kLedCount; ++i) {
        const auto at = static_cast<std::size_t>(3 * (oneColour ? 0 : i));
        leds[static_cast<std::size_t>(i)] = {triples[at + 1], triples[at], triples[at + 2], 100};
    }
    return leds;
}

int fanDuty(int percent, int fanType) {
    const int duty = std::clamp(percent, 0, 100);
    return fanType == 0 ? std::max(duty, kMinFanDuty) : duty;
}

std::optional<std::array<int, kAwtFanCount>> parseSpeeds(const std::uint8_t* payload, unsigned length) {
    if (!payload || length < static_cast<unsigned>(kDigitsPerSpeed * kAwtFanCount))
        return std::nullopt;
    std::array<int, kAwtFanCount> rpm{};
    for (int port = 0; port < kAwtFanCount; ++port) {
        for (int digit = 0; digit < kDigitsPerSpeed; ++digit) {
            const std::uint8_t byte = payload[port * kDigitsPerSpeed + digit];
            if (!isDigit(byte))
                return std::nullopt;
            rpm[static_cast<std::size_t>(port)] = 10 * rpm[static_cast<std::size_t>(port)] + (byte - '0');
        }
    }
    return rpm;
}

std::optional<QString> parseFirmware(const std::uint8_t* payload, unsigned length) {
    if (!payload || length < 4 || !isDigit(payload[1]) || !isDigit(payload[2]) || !isDigit(payload[3]))
        return std::nullopt;
    return QStringLiteral("%1.%2.%3").arg(payload[1] - '0').arg(payload[2] - '0').arg(payload[3] - '0');
}

StatusAction frameStatusAction(int status) {
    switch (status) {
    case chipstatus::kOk:
        return StatusAction::Success;
    case chipstatus::kBadHandle:
    case chipstatus::kShortReply:
    case 0xF0FF:
    case 0xF0FE:
        return StatusAction::LogOnly;
    default:
        return StatusAction::CloseHandle;
    }
}

StatusAction presenceStatusAction(int status) {
    switch (status) {
    case chipstatus::kOk:
        return StatusAction::Success;
    case chipstatus::kSendFailed:
    case chipstatus::kShortReply:
    case 0xF0FF:
    case 0xF0FE:
        return StatusAction::LogOnly;
    default:
        return StatusAction::CloseHandle;
    }
}

} // namespace zyne::awt
