#pragma once

#include "ClassicFanState.h"
#include "ColourOrder.h"
#include "PlusReports.h"

#include <optional>

namespace zyne {

// Classic light modes: 0..2 are shown by the controller, 3 and 7 are animated by the program.
enum ClassicLightMode {
    ClassicSteady = 0,
    ClassicCycle = 1,
    ClassicBlink = 2,
    ClassicRandom = 3,
    ClassicMusic = 7
};

constexpr bool isClassicPortIndex(int port) {
    return port >= 0 && port < kClassicFanCount;
}
constexpr int kClassicMaxLevel = 5;

// Classic controllers take the Plus report framing with a smaller command set: one colour per fan
// and the fan speed in percent. Ports are port indices 0..2; the wire carries port index + 1.
namespace classicreport {
PlusReport lighting(int port, int modeByte, unsigned char colour1, unsigned char colour2,
                    unsigned char colour3);
PlusReport fanSpeed(int port, int duty);
} // namespace classicreport

// The report that shows a fan's lighting as stored: off, the controller's colour cycle (no
// colour), blink or the steady colour scaled by its brightness, its bytes in the controller's
// colour order. Nothing for the modes the program animates (3, 7).
std::optional<PlusReport> classicLightingReport(int port, const ClassicFanState& fan, const ColourOrder& order);
// One frame of an animated mode: the colour × brightness × percent / 100, shown steady.
PlusReport classicFrame(int port, const ColourOrder& order, int red, int green, int blue, float bright,
                        int percent = 100);

// Duty percent of speed level 0..5: 0, 20, 40, 60, 80, 100.
int classicLevelDuty(int level);
// Duty under the temperature curve at t °C for a fan whose level caps it.
int classicCurveDuty(int t, int level);

// The RPM of a speed reply (33 51 .. .. .. lo hi); nothing when the read gave no such reply.
std::optional<int> classicSpeedRpm(const PlusReply& reply, int bytesRead);

} // namespace zyne
