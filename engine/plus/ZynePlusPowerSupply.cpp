#include "ApplicationSettings.h"
#include "EffectFrames.h"
#include "ZynePlusCommandHelper.h"

namespace zyne {

bool ZynePlusCommandHelper::mirroringPowerSupply() {
    return ApplicationSettings::get().isSyncPwrix && m_powerSupply.ready();
}

void ZynePlusCommandHelper::startPowerSupplySync() {
    if (!ApplicationSettings::get().isSyncPwrix)
        return;
    // A supply not found yet is looked for on its worker, and shows the port once it answers.
    if (m_powerSupply.isPresent())
        mirrorSelectedPortToPowerSupply();
    else
        m_powerSupply.detect([this] { mirrorSelectedPortToPowerSupply(); });
}

void ZynePlusCommandHelper::mirrorSelectedPortToPowerSupply() {
    mirrorFirstPortToPowerSupply(selectedBox());
}

void ZynePlusCommandHelper::mirrorFirstPortToPowerSupply(int boxNum) {
    if (!mirroringPowerSupply())
        return;
    const RainbowFanState& mirrored = port(boxNum, 0);
    m_powerSupply.mirror(mirrored);
    m_powerSupply.send(
        psuframe::mode(m_powerSupply.colours(), mirrored.lightMode, mirrored.colorMode, mirrored.lightSpeed));
}

void ZynePlusCommandHelper::mirrorPortZeroChange(int boxNum) {
    const RainbowFanState& fan = port(boxNum, 0);
    // Software modes reach the supply through their own ticks.
    if (fan.lightMode >= lightmode::Copy || boxNum != selectedBox() || !mirroringPowerSupply())
        return;
    m_powerSupply.send(fan.isTurnOffLed ? psuframe::off()
                                        : psuframe::mode(m_powerSupply.colours(), fan.lightMode,
                                                         fan.colorMode, fan.lightSpeed));
}

} // namespace zyne
