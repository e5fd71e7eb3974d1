#include "PortColours.h"
#include "ZynePlusCommandHelper.h"

#include <QStringList>

#include <algorithm>

namespace zyne {

namespace {
enum LightMode {
    Snake = 0,
    Cycle = 1,
    Radar = 2,
    Blink = 3,
    Breath = 4,
    Whirl = 5,
    Light = 6,
    Copy = 7,
    Music1 = 8,
    Music3 = 10,
    Mobile1 = 11,
    Mobile3 = 13,
    Temperature = 14,
    Cross = 15,
    ShootingStar = 17,
    BlackHole = 18,
    Aurora = 19,
};

constexpr int kLightSpeeds = 4;

bool isLightSpeed(int speed) {
    return speed >= 0 && speed < kLightSpeeds;
}

// Built-in effects take four bytes each: base 4 × mode, plus the speed.
int effectModeByte(int lightMode, int lightSpeed) {
    return 4 * lightMode + (isLightSpeed(lightSpeed) ? lightSpeed : 0);
}
} // namespace

bool ZynePlusCommandHelper::checkPort(const char* operation, int boxNum, int fanNum) const {
    if (isBoxIndex(boxNum) && isPlusPortIndex(fanNum))
        return true;
    qCWarning(lcPlus) << operation << "ignored: no box" << boxNum << "port" << fanNum;
    return false;
}

void ZynePlusCommandHelper::changeLightMode(int boxNum, int fanNum, int lightMode, int colorMode,
                                            int lightSpeed, bool isTurnOff) {
    qCDebug(lcPlus).nospace() << "changeLightMode---boxNum:" << boxNum << ", fanNum:" << fanNum
                              << ", lightMode:" << lightMode << ", colorMode:" << colorMode
                              << ", lightSpeed:" << lightSpeed << ", isTurnOff:" << isTurnOff;
    if (!checkPort("changeLightMode", boxNum, fanNum))
        return;
    if (!isLightSpeed(lightSpeed)) {
        // The mobile app passes its speed straight in; the rest of the change still applies.
        qCWarning(lcPlus) << "changeLightMode: light speed" << lightSpeed << "is not 0..3, clamped";
        lightSpeed = std::clamp(lightSpeed, 0, kLightSpeeds - 1);
    }
    RainbowFanState& fan = port(boxNum, fanNum);
    fan.lightMode = lightMode;
    fan.lightSpeed = lightSpeed;
    fan.colorMode = colorMode;
    fan.isTurnOffLed = isTurnOff;
    refreshFanLed(boxNum, fanNum);
    if (fanNum != 0)
        return;
    mirrorPortZeroChange(boxNum);
    refreshFollowers(boxNum);
}

void ZynePlusCommandHelper::copyToFollowers(int boxNum) {
    for (int follower = 1; follower < kPlusPortCount; ++follower) {
        if (port(boxNum, follower).lightMode == Copy)
            copyFirstPort(boxNum, follower);
    }
}

void ZynePlusCommandHelper::refreshFollowers(int boxNum) {
    for (int follower = 1; follower < kPlusPortCount; ++follower) {
        if (port(boxNum, follower).lightMode != Copy)
            continue;
        qCDebug(lcPlus).nospace() << "copy status:" << boxNum << ", Fan:" << follower;
        copyFirstPort(boxNum, follower);
        refreshFanLed(boxNum, follower);
    }
}

// A follower of port 0 shows port 0's lighting, including its switched-off state.
int ZynePlusCommandHelper::shownLightMode(int boxNum, int fanNum) {
    RainbowFanState& fan = port(boxNum, fanNum);
    if (fan.lightMode != Copy)
        return fan.lightMode;
    copyFirstPort(boxNum, fanNum);
    return fan.copyLightMode;
}

void ZynePlusCommandHelper::copyFirstPort(int boxNum, int fanNum) {
    const RainbowFanState& first = port(boxNum, 0);
    RainbowFanState& fan = port(boxNum, fanNum);
    fan.colorMode = first.colorMode;
    fan.lightSpeed = first.lightSpeed;
    fan.isTurnOffLed = first.isTurnOffLed;
    fan.RColor = first.RColor;
    fan.GColor = first.GColor;
    fan.BColor = first.BColor;
    fan.Bright = first.Bright;
    fan.spareInt2 = first.spareInt2;
    fan.copyLightMode = first.lightMode;
}

void ZynePlusCommandHelper::refreshFanLed(int boxNum, int fanNum) {
    if (!checkPort("refreshFanLed", boxNum, fanNum))
        return;
    const ControllerBox& target = boxArray[static_cast<std::size_t>(boxNum)];
    qCDebug(lcPlus).nospace() << "refreshFanLed--Box:" << boxNum << ", FanNum:" << fanNum
                              << ", boxType:" << target.boxType;
    if (target.boxType == BoxAwt) {
        refreshAwtFanLed(boxNum, fanNum);
        return;
    }
    if (!target.isPlusConnected())
        return;

    RainbowFanState& fan = port(boxNum, fanNum);
    const int mode = shownLightMode(boxNum, fanNum);
    if (fan.isTurnOffLed) {
        qCDebug(lcPlus) << "Turn OFF";
        sendCommand_turnoff(boxNum, fanNum);
        return;
    }

    const int speed = fan.lightSpeed;
    switch (mode) {
    case Snake:
        sendCommand_Snake(boxNum, fanNum, speed);
        break;
    case Cycle:
        sendCommand_Single(boxNum, fanNum, speed);
        break;
    case Radar:
        sendCommand_Radar(boxNum, fanNum, speed);
        break;
    case Blink:
        sendCommand_Blink(boxNum, fanNum, speed);
        break;
    case Breath:
        sendCommand_Breath(boxNum, fanNum, speed);
        break;
    case Whirl:
        sendCommand_Whirl(boxNum, fanNum, speed);
        break;
    case Light:
        sendCommand_Light(boxNum, fanNum);
        break;
    case Temperature:
        startTemperatureColour(boxNum, fanNum);
        break;
    default:
        startAnimation(boxNum, fanNum, mode);
        break;
    }
}

void ZynePlusCommandHelper::startAnimation(int boxNum, int fanNum, int mode) {
    if (mode == ShootingStar)
        startMeteor(boxNum, fanNum, 1);
    else if (mode == BlackHole)
        startMeteor(boxNum, fanNum, 2);
    else if (mode == Aurora)
        emit sendStartBigWaveTimer();
    else if (mode == Cross) {
        qCDebug(lcPlus) << "sendStartCrossTimer:::" << mode;
        emit sendStartCrossTimer();
    } else if (mode >= Music1 && mode <= Music3) {
        qCDebug(lcPlus).noquote() << QStringLiteral("sendStartMusicModeTimer---%1").arg(mode);
        computerVolume();
        emit sendStartComputerMusicTimer();
        emit sendStartMusicModeTimer();
    } else if (mode >= Mobile1 && mode <= Mobile3) {
        qCDebug(lcPlus).noquote() << QStringLiteral("sendStartMusicModeTimer---%1").arg(mode);
        emit sendStartMusicModeTimer();
    }
}

// The AWT controller drives ports 0..2 and takes its lighting as queued commands.
void ZynePlusCommandHelper::refreshAwtFanLed(int boxNum, int fanNum) {
    if (fanNum >= kAwtFanCount)
        return;
    RainbowFanState& fan = port(boxNum, fanNum);
    const int mode = shownLightMode(boxNum, fanNum);
    if (fan.isTurnOffLed) {
        qCDebug(lcPlus) << "Turn OFF";
        queueAwt(boxNum, fanNum, AwtTurnOff);
        return;
    }
    if (mode >= Snake && mode <= Light) {
        queueAwt(boxNum, fanNum, awtFrameType(fan, AwtLighting, AwtLighting9));
        return;
    }
    if (mode == Temperature) {
        m_temperature.displayed = temperatureTargetColour(m_temperature.current);
        AwtCommand command;
        command.box = boxNum;
        command.port = fanNum;
        command.type = AwtOneColour;
        command.values = {m_temperature.displayed.red, m_temperature.displayed.green,
                          m_temperature.displayed.blue};
        queueAWTCommand(command);
        qCDebug(lcPlus) << "sendStartComputTempTimer---14";
        emit sendStartComputTempTimer();
        return;
    }
    startAnimation(boxNum, fanNum, mode);
}

void ZynePlusCommandHelper::startTemperatureColour(int boxNum, int fanNum) {
    m_temperature.displayed = temperatureTargetColour(m_temperature.current);
    sendCommand_OneColor(boxNum, fanNum, m_temperature.displayed);
    qCDebug(lcPlus) << "sendStartComputTempTimer---14";
    emit sendStartComputTempTimer();
}

void ZynePlusCommandHelper::sendLighting(int boxNum, int fanNum, int modeByte, const LedTriples& leds,
                                         BoxJob::Kind kind) {
    exchange(boxNum, kind, fanNum, plusreport::lighting(fanNum, modeByte, leds), Precondition::Connected);
}

void ZynePlusCommandHelper::sendCommand_Snake(int boxNum, int fanNum, int lightSpeed) {
    sendLighting(boxNum, fanNum, effectModeByte(Snake, lightSpeed), {});
    qCDebug(lcPlus) << "sendCommand_Snake";
}

void ZynePlusCommandHelper::sendCommand_Single(int boxNum, int fanNum, int lightSpeed) {
    sendLighting(boxNum, fanNum, effectModeByte(Cycle, lightSpeed), {});
    qCDebug(lcPlus) << "sendCommand_Single";
}

void ZynePlusCommandHelper::sendCommand_Radar(int boxNum, int fanNum, int lightSpeed) {
    // Its reply is logged when it comes back.
    sendLighting(boxNum, fanNum, effectModeByte(Radar, lightSpeed), wholeFanColourOnly(port(boxNum, fanNum)),
                 BoxJob::Kind::Radar);
}

void ZynePlusCommandHelper::sendCommand_Blink(int boxNum, int fanNum, int lightSpeed) {
    const RainbowFanState& fan = port(boxNum, fanNum);
    sendLighting(boxNum, fanNum, effectModeByte(Blink, lightSpeed), portColours(fan, staticLayout(fan)));
    qCDebug(lcPlus) << "sendCommand_Blink";
}

void ZynePlusCommandHelper::sendCommand_Breath(int boxNum, int fanNum, int lightSpeed) {
    const RainbowFanState& fan = port(boxNum, fanNum);
    sendLighting(boxNum, fanNum, effectModeByte(Breath, lightSpeed), portColours(fan, staticLayout(fan)));
    qCDebug(lcPlus) << "sendCommand_Breath";
}

void ZynePlusCommandHelper::sendCommand_Whirl(int boxNum, int fanNum, int lightSpeed) {
    const RainbowFanState& fan = port(boxNum, fanNum);
    sendLighting(boxNum, fanNum, effectModeByte(Whirl, lightSpeed), portColours(fan, whirlLayout(fan)));
    qCDebug(lcPlus) << "sendCommand_Whirl";
}

void ZynePlusCommandHelper::sendCommand_Light(int boxNum, int fanNum) {
    const RainbowFanState& fan = port(boxNum, fanNum);
    sendLighting(boxNum, fanNum, kModeStaticFrame, portColours(fan, staticLayout(fan), 100));
    qCDebug(lcPlus) << "sendCommand_Light";
}

void ZynePlusCommandHelper::sendCommand_turnoff(int boxNum, int fanNum) {
    sendLighting(boxNum, fanNum, kModeStaticFrame, {}, BoxJob::Kind::TurnOff);
    qCDebug(lcPlus) << "sendCommand_turnoff";
}

void ZynePlusCommandHelper::sendCommand_OneColor(int boxNum, int fanNum, const RgbColour& colour) {
    sendLighting(boxNum, fanNum, kModeOneColour, singleColour(colour.red, colour.green, colour.blue));
    qCDebug(lcPlus) << "sendCommand_OneColor";
}

} // namespace zyne
