#include "ApplicationSettings.h"
#include "ClassicReports.h"
#include "PowerSupplyApp.h"
#include "ProcessValues.h"
#include "SelectedBox.h"
#include "ZyneCommandHelper.h"

#include <algorithm>
#include <cmath>

namespace zyne {

namespace {
int colourValue(int value) {
    return std::clamp(value, 0, 255);
}

float brightValue(float bright) {
    return std::isnan(bright) ? 1.0f : std::clamp(bright, 0.0f, 1.0f);
}
} // namespace

void ZyneCommandHelper::changeLightMode(int boxNum, int fanNum, int lightMode, bool isTurnOff) {
    qCDebug(lcClassic).nospace() << "changeLightMode---boxNum:" << boxNum << ", fanNum:" << fanNum
                                 << ", lightMode:" << lightMode << ", isTurnOff:" << isTurnOff;
    if (!checkPort("changeLightMode", boxNum, fanNum))
        return;
    ClassicFanState& target = fan(boxNum, fanNum);
    target.lightMode = lightMode;
    target.isTurnOff = isTurnOff;
    refreshPort(boxNum, fanNum);
    tellPowerSupply(ClassicSyncKind::LightMode);
}

void ZyneCommandHelper::receiveRGBData(int boxNum, int colour1, int colour2, int colour3, float bright,
                                       int fanNum) {
    qCDebug(lcClassic).nospace() << "receiveRGBData---boxNum:" << boxNum << ", fanNum:" << fanNum
                                 << ", colour:" << colour1 << "," << colour2 << "," << colour3
                                 << ", bright:" << bright;
    if (!checkPort("receiveRGBData", boxNum, fanNum))
        return;
    // Shown by the next mode or brightness change.
    ClassicFanState& target = fan(boxNum, fanNum);
    target.RColor = colourValue(colour1);
    target.GColor = colourValue(colour2);
    target.BColor = colourValue(colour3);
    target.Bright = brightValue(bright);
    tellPowerSupply(ClassicSyncKind::Colour);
}

void ZyneCommandHelper::receiveBright(int boxNum, int fanNum, float bright) {
    qCDebug(lcClassic) << "receiveBright" << boxNum << fanNum << bright;
    if (!checkPort("receiveBright", boxNum, fanNum))
        return;
    fan(boxNum, fanNum).Bright = brightValue(bright);
    refreshPort(boxNum, fanNum);
    tellPowerSupply(ClassicSyncKind::Colour);
}

void ZyneCommandHelper::receiveSwitchLed(int boxNum, int fanNum, bool isTurnOff) {
    qCDebug(lcClassic) << "receiveSwitchLed" << boxNum << fanNum << isTurnOff;
    if (!checkPort("receiveSwitchLed", boxNum, fanNum))
        return;
    fan(boxNum, fanNum).isTurnOff = isTurnOff;
    refreshPort(boxNum, fanNum);
    tellPowerSupply(ClassicSyncKind::Light);
}

void ZyneCommandHelper::receiveZyneCopy(int boxNum, int fanNum) {
    qCDebug(lcClassic) << "receiveZyneCopy" << boxNum << fanNum;
    if (!checkPort("receiveZyneCopy", boxNum, fanNum))
        return;
    const ClassicFanState& first = fan(boxNum, 0);
    ClassicFanState& target = fan(boxNum, fanNum);
    target.lightMode = first.lightMode;
    target.isTurnOff = first.isTurnOff;
    target.RColor = first.RColor;
    target.GColor = first.GColor;
    target.BColor = first.BColor;
    target.Bright = first.Bright;
    refreshPort(boxNum, fanNum);
    reportPortToViews(boxNum, fanNum);
}

void ZyneCommandHelper::refreshPort(int boxNum, int fanNum) {
    if (!box(boxNum).isConnected)
        return;
    const ClassicFanState& target = fan(boxNum, fanNum);
    if (const auto report = classicLightingReport(fanNum, target, m_colourOrder)) {
        exchange(boxNum, *report);
        qCDebug(lcClassic).nospace() << "refreshPort box:" << boxNum << ", fan:" << fanNum
                                     << ", mode byte:" << (*report)[4] << ", isTurnOff:" << target.isTurnOff;
    } else if (target.lightMode == ClassicRandom) {
        emit sendStartRandomModeTimer();
    } else {
        emit sendStartMusicModeTimer();
    }
}

void ZyneCommandHelper::tellPowerSupply(ClassicSyncKind kind) {
    if (!ApplicationSettings::get().isSyncPwrix || powerType() != 1)
        return;
    const int shown = selectedBox();
    emit operate(classicSyncMessage(kind, box(shown).fans[0]));
}

void ZyneCommandHelper::reportPortToViews(int boxNum, int fanNum) {
    const ClassicBox& target = box(boxNum);
    const ClassicFanState& port = target.fans[static_cast<std::size_t>(fanNum)];
    emit sendResetMainView(boxNum, fanNum, port.lightMode, port.RColor, port.GColor, port.BColor, port.Bright,
                           port.Speed, port.isTurnOff, port.Monitor, port.PWM, port.fanName, target.Profile,
                           target.currentProfile);
}

void ZyneCommandHelper::reportBoxIfShown(int boxNum) {
    if (boxNum != selectedBox() || !isFound(boxNum))
        return;
    for (int p = 0; p < kClassicFanCount; ++p)
        reportPortToViews(boxNum, p);
}

void ZyneCommandHelper::receiveResetViewRequest() {
    qCDebug(lcClassic) << "receiveResetViewRequest";
    reportBoxIfShown(selectedBox());
}

} // namespace zyne
