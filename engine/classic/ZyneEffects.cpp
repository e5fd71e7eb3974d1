#include "ClassicReports.h"
#include "LevelSmoothing.h"
#include "PowerSupplyApp.h"
#include "ProcessValues.h"
#include "ZyneCommandHelper.h"

#include <QRandomGenerator>

namespace zyne {

void ZyneCommandHelper::receiveRandomMode() {
    m_randomGate.taken();
    bool used = false;
    QRandomGenerator& random = *QRandomGenerator::global();
    for (int b = 0; b < kBoxCount; ++b) {
        if (!isFound(b))
            continue;
        for (int p = 0; p < kClassicFanCount; ++p) {
            const ClassicFanState& port = fan(b, p);
            if (port.lightMode != ClassicRandom || port.isTurnOff)
                continue;
            used = true;
            exchange(b, classicFrame(p, m_colourOrder, random.bounded(256), random.bounded(256), random.bounded(256),
                                     port.Bright));
        }
    }
    if (!used)
        emit sendCloseRandomModeTimer();
}

void ZyneCommandHelper::receiveMobileVolume(int level) {
    qCDebug(lcClassic) << "receiveMobileVolume" << level;
    setMobileMusicLevel(level);
}

// Each port in music mode pulses its own colour with the level the mobile app sends.
void ZyneCommandHelper::runMusicModeTimer() {
    m_musicGate.taken();
    m_smoothedMobileLevel = smoothLevel(m_smoothedMobileLevel, mobileMusicLevel());
    bool used = false;
    for (int b = 0; b < kBoxCount; ++b) {
        if (!isFound(b))
            continue;
        for (int p = 0; p < kClassicFanCount; ++p) {
            const ClassicFanState& port = fan(b, p);
            if (port.lightMode != ClassicMusic || port.isTurnOff)
                continue;
            used = true;
            exchange(b, classicFrame(p, m_colourOrder, port.RColor, port.GColor, port.BColor, port.Bright,
                                     m_smoothedMobileLevel));
        }
    }
    if (!used) {
        m_smoothedMobileLevel = 0;
        emit sendCloseMusicModeTimer();
    }
}

void ZyneCommandHelper::receiveSocketClient(int type) {
    qCDebug(lcClassic) << "ZyneCommandHelper----receiveSocketClient--powerType:" << type;
    setPowerType(type);
}

} // namespace zyne
