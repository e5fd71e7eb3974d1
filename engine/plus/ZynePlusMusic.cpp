#include "ComputerVolume.h"
#include "EffectFrames.h"
#include "SelectedBox.h"
#include "ZynePlusCommandHelper.h"

#include <QThread>

#include <algorithm>

namespace zyne {

namespace {
bool isComputerMusicMode(int lightMode) {
    return lightMode >= 8 && lightMode <= 10;
}
} // namespace

bool ZynePlusCommandHelper::anyPortFollowsComputerMusic() const {
    for (int b = 0; b < kBoxCount; ++b) {
        if (!box(b).isConnected && box(b).boxType != BoxAwt)
            continue;
        for (const RainbowFanState& fan : box(b).rainbowFan) {
            const int mode = fan.lightMode == 7 ? box(b).rainbowFan[0].lightMode : fan.lightMode;
            if (isComputerMusicMode(mode) && !switchedOff(fan))
                return true;
        }
    }
    return false;
}

ComputerVolume& ZynePlusCommandHelper::computerVolume() {
    if (!m_computerVolume)
        m_computerVolume = new ComputerVolume(this);
    return *m_computerVolume;
}

void ZynePlusCommandHelper::getVolumeValue(int) {
    // Nobody listens any more: the level stops being read until a port enters a music mode again.
    if (!anyPortFollowsComputerMusic()) {
        emit sendCloseComputerMusicTimer();
        return;
    }
    const int level = computerVolume().getVolumeLevel();
    qCDebug(lcPlus) << "ZynePlusCommandHelper--getVolumeValue:" << level;
    if (level >= 0) {
        m_musicLevels.computer = level;
        return;
    }
    // Nothing can be heard: warn about every port of the shown box that follows the PC's music.
    const int shown = selectedBox();
    for (int p = 0; p < kPlusPortCount; ++p) {
        if (isComputerMusicMode(port(shown, p).lightMode))
            emit sendVolWarning(shown, p);
    }
}

} // namespace zyne

namespace zyne {

void ZynePlusCommandHelper::receiveMobileVolume(int level) {
    // The app's number goes straight into the frames' percentages.
    m_musicLevels.mobile = std::clamp(level, 0, 100);
}

void ZynePlusCommandHelper::runMusicModeTimer() {
    qCDebug(lcPlus) << "ZynePlusCommandHelper--runMusicModeTimer---volume:" << m_musicLevels.computer;
    m_musicLevels.smoothedComputer = music::smooth(m_musicLevels.smoothedComputer, m_musicLevels.computer);
    m_musicLevels.smoothedMobile = music::smooth(m_musicLevels.smoothedMobile, m_musicLevels.mobile);
    qCDebug(lcPlus) << "preVolumeValue:::" << m_musicLevels.smoothedComputer;

    if (mirroringPowerSupply() && lightmode::isMusic(mirroredPort().lightMode)) {
        const RainbowFanState& mirrored = mirroredPort();
        m_powerSupply.send(psuframe::music(m_powerSupply.colours(), mirrored.colorMode, mirrored.lightMode,
                                           m_musicLevels.smoothedComputer));
    }
    PortFrames frames;
    const bool used = music::tick(boxArray, m_musicLevels, frames);
    writeFrames(frames);
    if (used)
        return;
    m_musicLevels.computer = 0;
    m_musicLevels.smoothedComputer = 0;
    emit sendCloseMusicModeTimer();
    emit sendCloseComputerMusicTimer();
}

void ZynePlusCommandHelper::sendCommandCPUTemp() {
    qCDebug(lcPlus).nospace() << "sendCommandCPUTemp " << QThread::currentThreadId()
                              << ", maxTemp:" << m_temperature.current;
    const bool moved = m_temperature.current != m_temperature.previous;
    if (moved) {
        const RgbColour before = m_temperature.displayed;
        m_temperature.displayed =
            walkTemperatureColour(before, m_temperature.current, m_temperature.previous);
        if (!(before == m_temperature.displayed))
            qCDebug(lcPlus) << "temperature colour:" << m_temperature.displayed.red
                            << m_temperature.displayed.green << m_temperature.displayed.blue;
        if (mirroringPowerSupply() && mirroredPort().lightMode == lightmode::Temperature) {
            qCDebug(lcPlus) << "dddddddd";
            m_powerSupply.send(psuframe::colour(m_temperature.displayed, 1.0f));
        }
    }
    bool used = false;
    const RgbColour& colour = m_temperature.displayed;
    for (int b = 0; b < kBoxCount; ++b) {
        if (!box(b).isConnected && box(b).boxType != BoxAwt)
            continue;
        for (int p = 0; p < effectPorts(box(b)); ++p) {
            if (copiedMode(port(b, p)) != lightmode::Temperature || switchedOff(port(b, p)))
                continue;
            used = true;
            // An unchanged temperature sends nothing, but still counts the port as in the mode.
            if (!moved)
                continue;
            if (box(b).boxType == BoxAwt)
                queueAWTCommand({b, p, AwtOneColour, {colour.red, colour.green, colour.blue}, {}});
            else if (box(b).boxType == BoxPlus)
                sendCommand_OneColor(b, p, colour);
        }
    }
    if (!used)
        emit sendCloseComputTempTimer();
}

} // namespace zyne
