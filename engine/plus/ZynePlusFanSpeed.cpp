#include "AwtController.h"
#include "FanCurve.h"
#include "PresenceString.h"
#include "StallRule.h"
#include "ZynePlusCommandHelper.h"

#include <algorithm>

namespace zyne {

namespace {
enum SpeedMode { Custom = 0, Silent = 1, Performance = 2 };

constexpr int kMaxLevel = 10;
constexpr int kMaxPercentLevel = 5;
constexpr int kSilentRpm = 400;
constexpr int kPerformanceRpm = 1400;
// The controller stalls fans below this duty.
constexpr int kMinDutyPercent = 30;
// Fan type 7 ("Vela Plus") is a fan like type 0; the other types are pumps, strips and blocks.
constexpr int kFanTypeVela = 7;

int levelRpm(int level) {
    return kSilentRpm + 100 * level;
}
int percentLevelDuty(int level) {
    return 10 * level + 50;
}
// On an AWT box a level is a duty of 10 × level percent; silent and performance are 0 and 100.
int awtLevelDuty(int level) {
    return 10 * level;
}
bool isAwtPort(const ControllerBox& box, int fanNum) {
    return box.boxType == BoxAwt && fanNum < kAwtFanCount;
}
bool isFan(int fanType) {
    return fanType == 0 || fanType == kFanTypeVela;
}
} // namespace

void ZynePlusCommandHelper::sendFanSpeedPercent(int boxNum, int fanNum, int duty) {
    exchange(boxNum, BoxJob::Kind::FanSpeed, fanNum, plusreport::fanSpeedPercent(fanNum, duty),
             Precondition::Connected);
    qCDebug(lcPlus) << "sendCommand_FanSpeed:" << duty;
}

void ZynePlusCommandHelper::sendFanSpeedLevel(int boxNum, int fanNum, int rpm) {
    exchange(boxNum, BoxJob::Kind::FanSpeed, fanNum, plusreport::fanSpeedRpm(fanNum, rpm),
             Precondition::Connected);
    qCDebug(lcPlus) << "sendCommand_FanSpeed";
}

void ZynePlusCommandHelper::receiveChangeFanSpeedNum(int boxNum, int fanNum, int level) {
    if (!checkPort("receiveChangeFanSpeedNum", boxNum, fanNum))
        return;
    if (level < 0 || level > kMaxLevel) {
        qCWarning(lcPlus) << "receiveChangeFanSpeedNum ignored: level" << level << "is not 0..10";
        return;
    }
    RainbowFanState& fan = port(boxNum, fanNum);
    fan.PWM = false;
    fan.Speed_Num = level;
    fan.SpeedMode = level == 0 ? Silent : level == kMaxLevel ? Performance : Custom;
    if (box(boxNum).isPlusConnected())
        sendFanSpeedLevel(boxNum, fanNum, levelRpm(level));
    else if (isAwtPort(box(boxNum), fanNum))
        queueAwt(boxNum, fanNum, AwtFanSpeed, awtLevelDuty(level));
}

void ZynePlusCommandHelper::receiveChangeFanSpeedPer(int boxNum, int fanNum, int level) {
    if (!checkPort("receiveChangeFanSpeedPer", boxNum, fanNum))
        return;
    if (level < 0 || level > kMaxPercentLevel) {
        qCWarning(lcPlus) << "receiveChangeFanSpeedPer ignored: level" << level << "is not 0..5";
        return;
    }
    RainbowFanState& fan = port(boxNum, fanNum);
    fan.Speed_Per = level;
    fan.SpeedMode = level == 0 ? Silent : level == kMaxPercentLevel ? Performance : Custom;
    if (box(boxNum).isPlusConnected())
        sendFanSpeedPercent(boxNum, fanNum, std::max(percentLevelDuty(level), kMinDutyPercent));
    else if (isAwtPort(box(boxNum), fanNum))
        queueAwt(boxNum, fanNum, AwtFanSpeed, percentLevelDuty(level));
}

void ZynePlusCommandHelper::receivePlusSwitchPWM(int boxNum, int fanNum, bool on) {
    qCDebug(lcPlus) << "switchPWM" << boxNum << fanNum << on;
    if (!checkPort("receivePlusSwitchPWM", boxNum, fanNum))
        return;
    RainbowFanState& fan = port(boxNum, fanNum);
    fan.PWM = on;
    // Switched on, the next temperature sets the speed.
    if (on)
        return;
    const bool validLevel = fan.Speed_Num >= 0 && fan.Speed_Num <= kMaxLevel;
    if (box(boxNum).isPlusConnected())
        sendFanSpeedLevel(boxNum, fanNum, validLevel ? levelRpm(fan.Speed_Num) : 0);
    else if (isAwtPort(box(boxNum), fanNum) && validLevel)
        queueAwt(boxNum, fanNum, AwtFanSpeed, awtLevelDuty(fan.Speed_Num));
}

void ZynePlusCommandHelper::sendCommand_FanSpeed(int boxNum, int fanNum) {
    if (!checkPort("sendCommand_FanSpeed", boxNum, fanNum))
        return;
    const RainbowFanState& fan = port(boxNum, fanNum);
    if (fan.PWM)
        return;
    if (isAwtPort(box(boxNum), fanNum)) {
        sendAwtFixedSpeed(boxNum, fanNum);
        return;
    }
    if (!box(boxNum).isPlusConnected())
        return;
    switch (fan.SpeedMode) {
    case Custom:
        if (fan.Speed_Num >= 0 && fan.Speed_Num <= kMaxLevel)
            sendFanSpeedLevel(boxNum, fanNum, levelRpm(fan.Speed_Num));
        break;
    case Silent:
        sendFanSpeedLevel(boxNum, fanNum, kSilentRpm);
        break;
    case Performance:
        sendFanSpeedLevel(boxNum, fanNum, kPerformanceRpm);
        break;
    default:
        break;
    }
}

void ZynePlusCommandHelper::sendAwtFixedSpeed(int boxNum, int fanNum) {
    const RainbowFanState& fan = port(boxNum, fanNum);
    switch (fan.SpeedMode) {
    case Custom:
        if (fan.Speed_Num >= 0 && fan.Speed_Num <= kMaxLevel)
            queueAwt(boxNum, fanNum, AwtFanSpeed, awtLevelDuty(fan.Speed_Num));
        break;
    case Silent:
        queueAwt(boxNum, fanNum, AwtFanSpeed, awtLevelDuty(0));
        break;
    case Performance:
        queueAwt(boxNum, fanNum, AwtFanSpeed, awtLevelDuty(kMaxLevel));
        break;
    default:
        break;
    }
}

void ZynePlusCommandHelper::receiveGetTemperature(int temperature) {
    m_temperature.previous = m_temperature.current;
    m_temperature.current = temperature;
    const int cap = curveCap(temperature);
    for (int b = 0; b < kBoxCount; ++b) {
        if (box(b).boxType == BoxAwt) {
            followCurveOnAwt(b, cap);
            continue;
        }
        if (!box(b).isConnected || box(b).boxType != BoxPlus)
            continue;
        for (int p = 0; p < kPlusPortCount; ++p) {
            const RainbowFanState& fan = port(b, p);
            if (!fan.Monitor || !fan.PWM || fan.FanType != 0)
                continue;
            const int duty = std::min(cap, percentLevelDuty(std::clamp(fan.Speed_Per, 0, kMaxPercentLevel)));
            exchange(b, BoxJob::Kind::FanSpeed, p, plusreport::fanSpeedPercent(p, duty),
                     Precondition::Connected);
            qCDebug(lcPlus).nospace()
                << "PWM box:" << b << ", fan:" << p << ", duty:" << duty << ", Speed_Per:" << fan.Speed_Per;
        }
    }
}

void ZynePlusCommandHelper::followCurveOnAwt(int boxNum, int cap) {
    for (int p = 0; p < kAwtFanCount; ++p) {
        const RainbowFanState& fan = port(boxNum, p);
        if (!fan.Monitor || !fan.PWM || !isFan(fan.FanType))
            continue;
        const int duty = std::min(cap, percentLevelDuty(std::clamp(fan.Speed_Per, 0, kMaxPercentLevel)));
        qCDebug(lcPlus).nospace() << "AWT PWM" << boxNum << ", fannum:" << p
                                  << ", temp:" << m_temperature.current << ", nowFanSpeed:" << duty;
        queueAwt(boxNum, p, AwtFanSpeed, duty);
    }
}

void ZynePlusCommandHelper::sendCommandReadFanSpeed(int boxNum) {
    if (!isBoxIndex(boxNum))
        return;
    if (box(boxNum).boxType == BoxAwt && awtPresenceStr().isPresent(boxNum)) {
        // One read at a time per box: polls that come while the chip is busy add nothing.
        if (!m_awt->hasSpeedReadQueued(boxNum))
            queueAwt(boxNum, 0, AwtReadSpeeds);
        return;
    }
    if (!box(boxNum).isPlusConnected())
        return;
    for (int p = 0; p < kPlusPortCount; ++p) {
        if (!port(boxNum, p).Monitor)
            continue;
        // The reading is reported when the reply is taken in.
        exchange(boxNum, BoxJob::Kind::SpeedRead, p, plusreport::readFanSpeed(p),
                 Precondition::PlusConnected);
    }
}

bool ZynePlusCommandHelper::boxWarning(int boxNum) const {
    const ControllerBox& target = box(boxNum);
    return std::any_of(target.rainbowFan.begin(), target.rainbowFan.end(), [](const RainbowFanState& fan) {
        return fan.Monitor && fan.stallWarned && isFan(fan.FanType);
    });
}

void ZynePlusCommandHelper::reportPolledSpeed(int boxNum, int fanNum, int rpm) {
    const bool warning = boxWarning(boxNum);
    RainbowFanState& fan = port(boxNum, fanNum);
    const StallDecision decision = stallDecision(fan.Monitor, fan.stallWarned, isFan(fan.FanType), rpm);
    fan.stallWarned = decision.stallWarned;
    // The AWT record follows: a new stall only on an AWT port, a running fan on any of the first three.
    if (decision.report && fanNum < kAwtFanCount && (!decision.stallWarned || isAwtPort(box(boxNum), fanNum)))
        boxArray[static_cast<std::size_t>(boxNum)].awtFan[static_cast<std::size_t>(fanNum)].stallWarned =
            decision.stallWarned;
    if (decision.report)
        emit sendFanSpeed(boxNum, fanNum, rpm, fan.FanType, false, fan.Monitor, warning);
}

} // namespace zyne
