#include "VxZyneRainbow.h"
#include "ZynePlusCommandHelper.h"

namespace zyne {

void VxZyneRainbow::connectPlusIntake() {
    using Plus = ZynePlusCommandHelper;
    connect(this, &VxZyneRainbow::sendRGBDataToCommand, m_plus, &Plus::receiveRGBData);
    connect(this, &VxZyneRainbow::sendAPPRGBDataToCommand, m_plus, &Plus::receiveAPPRGBData);
    connect(this, &VxZyneRainbow::sendViewRequest, m_plus, &Plus::receiveViewRequest);
    connect(this, &VxZyneRainbow::sendPlusBrighr, m_plus, &Plus::receivePlusBright);
    connect(this, &VxZyneRainbow::sendSelectLedBtn, m_plus, &Plus::receivePlusSelectLedBtn);
    connect(this, &VxZyneRainbow::sendTurnLed, m_plus, &Plus::receiveTurnLed);
    connect(this, &VxZyneRainbow::sendHotKeyCommand, m_plus, &Plus::receiveHotKeyCommand);
    connect(this, &VxZyneRainbow::sendResetPlusViewRequest, m_plus, &Plus::receiveResetViewRequest);
    connect(this, &VxZyneRainbow::sendSpeech, m_plus, &Plus::receiveSpeech);
    connect(this, &VxZyneRainbow::sendSpeechMode, m_plus, &Plus::receiveSpeechMode);
    connect(this, &VxZyneRainbow::sendSpeechColor, m_plus, &Plus::receiveSpeechColor);
    connect(this, &VxZyneRainbow::sendSpeechFanSpeed, m_plus, &Plus::receiveSpeechFanSpeed);
    connect(this, &VxZyneRainbow::sendDefault, m_plus, &Plus::receiveDefault);
    connect(this, &VxZyneRainbow::sendMobileVolume, m_plus, &Plus::receiveMobileVolume);
    connect(this, &VxZyneRainbow::sendSeriesLightMode, m_plus, &Plus::receiveSeriesLightMode);
    connect(this, &VxZyneRainbow::sendResetAllToFullLight, m_plus, &Plus::resetAllToFullLight);
    connect(this, &VxZyneRainbow::sendStartSyncPwrix, m_plus, &Plus::receiveStartSyncPwrix);
}

} // namespace zyne
