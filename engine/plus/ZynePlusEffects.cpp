#include "CrossEffect.h"
#include "MeteorEffect.h"
#include "PortColours.h"
#include "ZynePlusCommandHelper.h"

#include <algorithm>
#include <utility>

namespace zyne {

void ZynePlusCommandHelper::writeFrames(const PortFrames& frames) {
    m_holdingPosts = true;
    for (const PortFrame& frame : frames)
        writeFrame(frame);
    m_holdingPosts = false;
    for (int b = 0; b < kBoxCount; ++b) {
        std::vector<BoxJob>& held = m_heldPosts[static_cast<std::size_t>(b)];
        if (!held.empty())
            boxArray[static_cast<std::size_t>(b)].worker->post(std::exchange(held, {}));
    }
}

void ZynePlusCommandHelper::writeFrame(const PortFrame& frame) {
    if (box(frame.box).boxType != BoxAwt) {
        sendLighting(frame.box, frame.port, frame.modeByte, frame.leds, BoxJob::Kind::Frame);
        return;
    }
    // The AWT queue takes it; the chip gets it on a later tick, off this thread.
    AwtCommand command;
    command.box = frame.box;
    command.port = frame.port;
    command.type = frame.awtType;
    command.values[0] = frame.value;
    command.leds = awt::fromTriples(frame.leds, frame.modeByte == kModeOneColour);
    queueAWTCommand(command);
}

void ZynePlusCommandHelper::receiveBigWave() {
    PortFrames frames;
    const bool used = m_bigWave.tick(boxArray, frames);
    writeFrames(frames);
    if (!used)
        emit sendCloseBigWaveTimer();
}

void ZynePlusCommandHelper::sendMeteor() {
    PortFrames frames;
    const bool open = meteor::tick(m_meteor, boxArray, m_series, frames);
    writeFrames(frames);
    if (!open) {
        qCDebug(lcPlus) << "meteor: no port left in a meteor mode";
        emit sendCloseMeteorTimer();
    }
}

void ZynePlusCommandHelper::sendCross() {
    PortFrames frames;
    const std::vector<cross::CrossStep> steps = cross::tick(boxArray, frames);
    writeFrames(frames);
    if (steps.empty()) {
        emit sendCloseCrossTimer();
        return;
    }
    if (!mirroringPowerSupply())
        return;
    const int colorMode = mirroredPort().colorMode;
    for (const cross::CrossStep& step : steps)
        m_powerSupply.send(psuframe::cross(m_powerSupply.colours(), colorMode, step.position));
}

void ZynePlusCommandHelper::receiveEffect() {
    qCDebug(lcPlus) << "receiveEffect";
    PortFrames frames;
    const bool used = m_playback.tick(boxArray, frames);
    writeFrames(frames);
    if (!m_playback.isEmpty()) {
        if (mirroringPowerSupply())
            m_powerSupply.send(psuframe::effect(m_playback.current()));
        m_playback.advance();
    }
    if (!used)
        emit sendEffectTimerStop();
}

void ZynePlusCommandHelper::loadEffectFrames(std::vector<EffectFrame> frames) {
    qCDebug(lcPlus) << "effect frames loaded:" << frames.size();
    m_playback.load(std::move(frames));
    if (!m_playback.isEmpty())
        emit sendEffectTimerStart();
}

void ZynePlusCommandHelper::startMeteor(int boxNum, int fanNum, int variant) {
    meteor::start(m_meteor, boxNum, fanNum, variant);
    // The lit meteor starts on a dark port, the dark one on the port's own colours.
    const RainbowFanState& fan = port(boxNum, fanNum);
    const LedTriples leds = variant == 1 ? LedTriples{} : meteor::restoreFrame(m_meteor.seriesColorMode, fan);
    writeFrame({boxNum, fanNum, kModeStaticFrame, leds, awtFrameType(fan, AwtMeteor, AwtMeteor9)});
    emit sendStartMeteorTimer();
}

void ZynePlusCommandHelper::receiveSeriesLightMode(int mode) {
    m_meteor.seriesLightMode = mode;
    m_meteor.seriesRun = meteor::isSeriesMeteor(mode);
}

void ZynePlusCommandHelper::receiveSeriesColorMode(int mode) {
    m_meteor.seriesColorMode = mode;
}

void ZynePlusCommandHelper::receiveSeriesLightSpeed(int speed) {
    m_series.lightSpeed = speed;
}

void ZynePlusCommandHelper::receiveSeriesRGB(int, int, int* red, int* green, int* blue, float*) {
    if (!red || !green || !blue) {
        qCWarning(lcPlus) << "receiveSeriesRGB ignored: no colours given";
        return;
    }
    std::copy_n(red, kColourEntries, m_series.red.begin());
    std::copy_n(green, kColourEntries, m_series.green.begin());
    std::copy_n(blue, kColourEntries, m_series.blue.begin());
}

void ZynePlusCommandHelper::resetAllToFullLight() {
    qCDebug(lcPlus) << "resetAllToFullLight";
    for (int b = 0; b < kBoxCount; ++b) {
        if (box(b).boxType == BoxAwt) {
            for (int p = 0; p < kAwtFanCount; ++p)
                queueAwt(b, p, awtFrameType(port(b, p), AwtLighting, AwtLighting9));
            continue;
        }
        if (!box(b).isPlusConnected())
            continue;
        for (int p = 0; p < kPlusPortCount; ++p) {
            sendLighting(b, p, kModeStaticFrame, portColours(port(b, p), LedLayout::PerLed));
            qCDebug(lcPlus) << "sendCommand_Light";
        }
    }
}

} // namespace zyne
