#include "ApplicationSettings.h"
#include "IntakeInput.h"
#include "PowerSupplyApp.h"
#include "SelectedBox.h"
#include "ZynePlusCommandHelper.h"

namespace zyne {

namespace {
// Short input is applied as far as it goes; the log says so, since the views always send it whole.
void warnIfShort(const char* operation, const QStringList& list) {
    if (list.size() < kColourEntries)
        qCWarning(lcPlus).nospace() << operation << ": " << list.size() << " of " << kColourEntries
                                    << " entries given, the others keep their values";
}

void warnIfShort(const char* operation, const QString& selection) {
    if (selection.size() < kLedCount)
        qCWarning(lcPlus).nospace() << operation << ": LED selection " << selection << " has "
                                    << selection.size() << " of " << kLedCount
                                    << " characters, the LEDs past it are left as they are";
}
} // namespace

void ZynePlusCommandHelper::receiveRGBData(int boxNum, const QStringList& red, const QStringList& green,
                                           const QStringList& blue, const QStringList& bright, int fanNum,
                                           const QString& ledSelection) {
    qCDebug(lcPlus) << "ZynePlusCommandHelper--receiveRGBData---rData:" << red;
    qCDebug(lcPlus) << "ZynePlusCommandHelper--receiveRGBData---gData:" << green;
    qCDebug(lcPlus) << "ZynePlusCommandHelper--receiveRGBData---bData:" << blue;
    if (!checkPort("receiveRGBData", boxNum, fanNum))
        return;
    for (const QStringList* list : {&red, &green, &blue, &bright})
        warnIfShort("receiveRGBData", *list);
    warnIfShort("receiveRGBData", ledSelection);
    RainbowFanState& fan = port(boxNum, fanNum);
    intake::applyColourLists(fan, red, green, blue, bright);
    fan.selectLED = intake::mergedSelection(fan.selectLED, ledSelection);
    if (mirroringPowerSupply()) {
        // The supply takes the colours now and shows them with the next frame it is sent.
        qCDebug(lcPlus) << "dddddddd";
        m_powerSupply.mirror(fan);
    }
    // The view refreshes the port with the command that follows; followers only take the colours.
    copyToFollowers(boxNum);
}

void ZynePlusCommandHelper::receiveAPPRGBData(int boxNum, int red, int green, int blue, float, int fanNum,
                                              const QString& ledSelection) {
    qCDebug(lcPlus).nospace() << "receiveAPPRGBData:" << boxNum << ", " << fanNum;
    if (!checkPort("receiveAPPRGBData", boxNum, fanNum))
        return;
    RainbowFanState& fan = port(boxNum, fanNum);
    fan.selectLED = intake::mergedSelection(fan.selectLED, ledSelection);
    const int r = intake::colourChannel(red);
    const int g = intake::colourChannel(green);
    const int b = intake::colourChannel(blue);
    if (fan.colorMode == 1) {
        fan.RColor[kWholeFanEntry] = r;
        fan.GColor[kWholeFanEntry] = g;
        fan.BColor[kWholeFanEntry] = b;
    } else {
        warnIfShort("receiveAPPRGBData", ledSelection);
        for (int led = 0; led < kLedCount; ++led) {
            if (!intake::selects(ledSelection, led))
                continue;
            fan.RColor[static_cast<std::size_t>(led)] = r;
            fan.GColor[static_cast<std::size_t>(led)] = g;
            fan.BColor[static_cast<std::size_t>(led)] = b;
        }
    }
    refreshFanLed(boxNum, fanNum);
    if (fanNum != 0)
        return;
    for (int follower = 1; follower < kPlusPortCount; ++follower)
        qCDebug(lcPlus) << "boxArray[boxNum].rainbowFan[i].lightMode:" << port(boxNum, follower).lightMode;
    refreshFollowers(boxNum);
    if (boxNum == selectedBox())
        mirrorSelectedPortToPowerSupply();
}

void ZynePlusCommandHelper::receivePlusBright(int boxNum, int fanNum, const QStringList& bright) {
    qCDebug(lcPlus) << "receivePlusBright" << boxNum << fanNum << bright;
    if (!checkPort("receivePlusBright", boxNum, fanNum))
        return;
    warnIfShort("receivePlusBright", bright);
    RainbowFanState& fan = port(boxNum, fanNum);
    intake::applyBrightnessList(fan, bright);
    for (int i = 0; i < intake::givenEntries(bright); ++i)
        qCDebug(lcPlus).nospace() << boxNum << ", " << fanNum << ", " << i << ":"
                                  << fan.Bright[static_cast<std::size_t>(i)] * 100;
    refreshFanLed(boxNum, fanNum);
    if (fanNum != 0)
        return;
    mirrorFirstPortToPowerSupply(boxNum);
    refreshFollowers(boxNum);
}

void ZynePlusCommandHelper::receivePlusSelectLedBtn(int boxNum, int fanNum, const QString& ledSelection) {
    qCDebug(lcPlus) << "receivePlusSelectLedBtn" << boxNum << fanNum << ledSelection;
    if (!checkPort("receivePlusSelectLedBtn", boxNum, fanNum))
        return;
    warnIfShort("receivePlusSelectLedBtn", ledSelection);
    RainbowFanState& fan = port(boxNum, fanNum);
    fan.selectLED = intake::mergedSelection(fan.selectLED, ledSelection);
}

void ZynePlusCommandHelper::receiveTurnLed(int boxNum, int fanNum, int off) {
    qCDebug(lcPlus) << "receiveTurnLed" << boxNum << fanNum << off;
    if (!checkPort("receiveTurnLed", boxNum, fanNum))
        return;
    port(boxNum, fanNum).isTurnOffLed = off != 0;
    refreshFanLed(boxNum, fanNum);
    if (fanNum == 0)
        refreshFollowers(boxNum);
}

void ZynePlusCommandHelper::receiveDefault(int boxNum, int fanNum) {
    qCDebug(lcPlus).nospace() << "receiveDefault---boxNum:" << boxNum << ", fanNum:" << fanNum;
    // Only a supply with its own ring follows port 1, so only it is told.
    if (ApplicationSettings::get().isSyncPwrix && fanNum == 0 && isBoxIndex(boxNum) &&
        powerType() == PowerTypeRing)
        emit operate(powerSupplyDefaultMessage());
}

void ZynePlusCommandHelper::receiveStartSyncPwrix() {
    qCDebug(lcPlus) << "receiveStartSyncPwrix";
    startPowerSupplySync();
}

void ZynePlusCommandHelper::receiveViewRequest() {
    // The views ask for whatever box they show, present or not.
    const int shown = selectedBox();
    for (int p = 0; p < kPlusPortCount; ++p)
        reportPortToViews(shown, p);
}

void ZynePlusCommandHelper::receiveResetViewRequest() {
    reportShownBoxToViews();
}

void ZynePlusCommandHelper::reportShownBoxToViews() {
    const int shown = selectedBox();
    if (box(shown).isPlusConnected()) {
        for (int p = 0; p < kPlusPortCount; ++p) {
            qCDebug(lcPlus).nospace() << "receiveResetViewRequest--Box:" << shown << ", Fan:" << p;
            reportPortToViews(shown, p);
        }
    } else if (box(shown).boxType == BoxAwt) {
        for (int p = 0; p < kAwtFanCount; ++p) {
            const RainbowFanState& fan = port(shown, p);
            qCDebug(lcPlus).nospace() << "receiveResetViewRequest--AWT Box:" << shown << ", Fan:" << p;
            qCDebug(lcPlus) << "lightMode:" << fan.lightMode;
            qCDebug(lcPlus) << "colorMode:" << fan.colorMode;
            reportPortToViews(shown, p);
        }
    }
}

void ZynePlusCommandHelper::reportPortToViews(int boxNum, int fanNum) {
    const ControllerBox& target = box(boxNum);
    RainbowFanState& fan = port(boxNum, fanNum);
    emit sendResetMainView(boxNum, fanNum, fan.lightMode, fan.colorMode, fan.lightSpeed, fan.RColor.data(),
                           fan.GColor.data(), fan.BColor.data(), fan.Bright.data(), fan.Speed_Per,
                           fan.Speed_Num, fan.PWM, fan.Monitor, fan.FanType, fan.FanName, target.Profile,
                           target.currentProfile, fan.isTurnOffLed);
}

} // namespace zyne
