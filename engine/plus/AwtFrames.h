#pragma once

// Command frames of the AWT controller and the replies to them. Pure: no Qt objects, no I/O.

#include "FanRecords.h"
#include "PlusReports.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace zyne::awt {

// One frame as XQ_Comm sends it: 26 4A 20, 9 + box index, command byte, payload.
using Frame = std::vector<std::uint8_t>;

// One LED entry of a lighting frame.
struct Led {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t brightness = 0; // percent
    bool operator==(const Led& other) const {
        return red == other.red && green == other.green && blue == other.blue &&
               brightness == other.brightness;
    }
};
using Leds = std::array<Led, kLedCount>;
// Fans of fan type 7 take 9-LED frames.
constexpr int kNineLedCount = 9;

// The effect byte's code for frames the program computes itself (one colour, off, effects).
constexpr std::uint8_t kComputedEffect = 0x40;
// Library time-outs by kind of frame.
constexpr int kDefaultTimeout = 100;
constexpr int kCrossTimeout = 10;
constexpr int kEffectTimeout = 25;

std::uint8_t portMask(int port); // port index 0..2
Frame readSpeeds(int box);
Frame setFanSpeed(int box, int port, int duty);
Frame save(int box);
Frame firmware(int box);
Frame turnOn(int box, int port);
// 54 bytes with 12 LEDs, 42 with the first 9.
Frame lighting(int box, int port, std::uint8_t effect, const Leds& leds, bool nineLeds);

// Effect code of a controller-run light mode OR light speed × 4; `mode` is the mode the port
// shows (for a Copy port the mode it took over, which reads as 0x70 when that is Copy again).
std::uint8_t effectByte(int mode, int lightSpeed);
// The port's LED entries for a controller-run mode: the stored colours unscaled with their
// brightness as a percentage; Radar fills only the first entry (whole-fan colour at 100 %).
Leds portLeds(const RainbowFanState& port, int mode);
// Twelve entries of one colour at full brightness.
Leds oneColour(int red, int green, int blue);
// An effect frame as the Plus controllers get it (wire-order triples, brightness already applied;
// `oneColour`: only the first triple, for the whole fan) as LED entries at full brightness.
Leds fromTriples(const LedTriples& triples, bool oneColour);
// The duty sent for a fan-speed command: plain fans (type 0) stall below 23 %.
int fanDuty(int percent, int fanType);

// RPM of ports 0..2 from a speed reply: three fields of four ASCII digits. Nothing when the reply
// is short or a field holds anything but digits.
std::optional<std::array<int, kAwtFanCount>> parseSpeeds(const std::uint8_t* payload, unsigned length);
// "d1.d2.d3" from reply bytes 1..3; nothing when they are missing or not digits.
std::optional<QString> parseFirmware(const std::uint8_t* payload, unsigned length);

// What a status word asks of the program.
enum class StatusAction {
    Success,
    LogOnly,     // the exchange failed; the handle stays open
    CloseHandle, // the chip is gone or unusable: close its handle
};
StatusAction frameStatusAction(int status);
// A presence check tolerates a failed send (the pass goes on) but not a bad handle.
StatusAction presenceStatusAction(int status);

} // namespace zyne::awt
