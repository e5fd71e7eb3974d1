#include "SeriesWiring.h"

#include "EffectTimers.h"
#include "InSeries.h"
#include "PresenceString.h"
#include "VxZyneRainbow.h"
#include "ZynePlusCommandHelper.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSeriesWiring, "zyne.main")

namespace zyne {

SeriesWiring::SeriesWiring(VxZyneRainbow* window, ZynePlusCommandHelper* plus, EffectTimers* timers,
                           ui::InSeries* panel)
    : QObject(window), m_window(window), m_plus(plus), m_timers(timers) {
    using Plus = ZynePlusCommandHelper;
    connect(panel, &ui::InSeries::sendSeriesLightMode, this, &SeriesWiring::receiveSeriesLightMode);
    connect(panel, &ui::InSeries::sendSeriesColorMode, plus, &Plus::receiveSeriesColorMode);
    connect(panel, &ui::InSeries::sendSeriesLightSpeed, plus, &Plus::receiveSeriesLightSpeed);
    connect(panel, &ui::InSeries::sendRGB, plus, &Plus::receiveSeriesRGB);
}

void SeriesWiring::receiveSeriesLightMode(int mode) {
    qCDebug(lcSeriesWiring) << "seriesLightMode:" << mode;
    emit m_window->sendSeriesLightMode(mode);
    switch (mode) {
    case 0:
        refreshAllFan(false);
        m_timers->closeMeteorTimer();
        m_timers->closeBigWaveTimer();
        break;
    case 1:
        refreshAllFan(true);
        m_window->stopAllTimer();
        m_timers->startMeteorTimer();
        m_timers->closeBigWaveTimer();
        break;
    case 2:
        emit m_window->sendResetAllToFullLight();
        m_window->stopAllTimer();
        m_timers->startMeteorTimer();
        m_timers->closeBigWaveTimer();
        break;
    case 3:
        m_window->stopAllTimer();
        m_timers->closeMeteorTimer();
        m_timers->startBigWaveTimer();
        break;
    default:
        break;
    }
}

void SeriesWiring::refreshAllFan(bool isTurnOff) {
    for (int box = 0; box < kBoxCount; ++box) {
        if (!checkControllerStr().isPresent(box) && !awtPresenceStr().isPresent(box))
            continue;
        for (int port = 0; port < kPlusPortCount; ++port) {
            const RainbowFanState& fan = m_plus->box(box).rainbowFan[static_cast<std::size_t>(port)];
            if (fan.Monitor)
                emit m_window->changeLight(box, port, fan.lightMode, fan.colorMode, fan.lightSpeed, isTurnOff);
        }
    }
}

} // namespace zyne
