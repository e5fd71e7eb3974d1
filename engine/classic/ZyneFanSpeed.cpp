#include "ClassicReports.h"
#include "PresenceString.h"
#include "StallRule.h"
#include "ZyneCommandHelper.h"

#include <algorithm>

namespace zyne {

namespace {
enum SpeedMode { Custom = 0, Silent = 1, Performance = 2 };
} // namespace

void ZyneCommandHelper::receiveChangeFanSpeed(int boxNum, int fanNum, int level, int) {
    qCDebug(lcClassic) << "receiveChangeFanSpeed" << boxNum << fanNum << level;
    if (!checkPort("receiveChangeFanSpeed", boxNum, fanNum))
        return;
    if (level < 0 || level > kClassicMaxLevel) {
        qCWarning(lcClassic) << "receiveChangeFanSpeed ignored: level" << level << "is not 0..5";
        return;
    }
    ClassicFanState& target = fan(boxNum, fanNum);
    target.Speed = level;
    target.SpeedMode = level == 0 ? Silent : level == kClassicMaxLevel ? Performance : Custom;
    resetZyneFan(boxNum, fanNum);
}

void ZyneCommandHelper::receiveZyneSwitchPWM(int boxNum, int fanNum, bool on) {
    qCDebug(lcClassic) << "receiveZyneSwitchPWM" << boxNum << fanNum << on;
    if (!checkPort("receiveZyneSwitchPWM", boxNum, fanNum))
        return;
    fan(boxNum, fanNum).PWM = on;
    // Off the curve, the fan goes back to its own level at once rather than keep the curve's
    // last duty until the level is moved.
    if (!on)
        resetZyneFan(boxNum, fanNum);
}

void ZyneCommandHelper::resetZyneFan(int boxNum, int fanNum) {
    const ClassicFanState& target = fan(boxNum, fanNum);
    qCDebug(lcClassic) << "resetZyneFan:" << target.PWM;
    if (target.PWM)
        return;
    qCDebug(lcClassic) << "resetZyneFan------enter";
    exchange(boxNum, classicreport::fanSpeed(fanNum, classicLevelDuty(target.Speed)));
    qCDebug(lcClassic) << "SetFanNormal";
}

void ZyneCommandHelper::receiveTempetatureToZyne(int temperature) {
    qCDebug(lcClassic) << "receiveTempetatureToZyne" << temperature;
    for (int b = 0; b < kBoxCount; ++b) {
        if (!isFound(b) || box(b).boxType != kClassicBoxFound)
            continue;
        for (int p = 0; p < kClassicFanCount; ++p) {
            const ClassicFanState& target = fan(b, p);
            if (!target.Monitor || !target.PWM)
                continue;
            exchange(b, classicreport::fanSpeed(p, classicCurveDuty(temperature, target.Speed)));
            qCDebug(lcClassic) << "SetFanNormal";
        }
    }
}

void ZyneCommandHelper::sendCommandReadFanSpeed(int boxNum) {
    m_speedPollGate.taken();
    if (!isBoxIndex(boxNum) || !isFound(boxNum))
        return;
    for (int p = 0; p < kClassicFanCount; ++p) {
        if (!fan(boxNum, p).Monitor)
            continue;
        PlusReply reply;
        const int read = exchange(boxNum, plusreport::readFanSpeed(p), &reply).read;
        if (const auto rpm = classicSpeedRpm(reply, read))
            reportPolledSpeed(boxNum, p, *rpm);
    }
}

bool ZyneCommandHelper::boxWarning(int boxNum) const {
    const ClassicFans& fans = box(boxNum).fans;
    return std::any_of(fans.begin(), fans.end(),
                       [](const ClassicFanState& port) { return port.Monitor && port.stallWarned; });
}

void ZyneCommandHelper::reportPolledSpeed(int boxNum, int fanNum, int rpm) {
    const bool warning = boxWarning(boxNum);
    ClassicFanState& target = fan(boxNum, fanNum);
    // Every classic port drives a fan.
    const StallDecision decision = stallDecision(target.Monitor, target.stallWarned, true, rpm);
    target.stallWarned = decision.stallWarned;
    if (decision.report)
        emit sendFanSpeed(boxNum, fanNum, rpm, 0, false, target.Monitor, warning);
}

} // namespace zyne
