#include "PresenceString.h"
#include "SelectedBox.h"
#include "ZynePlusCommandHelper.h"

namespace zyne {

namespace {
bool checkProfile(const char* operation, int boxNum, int profile) {
    if (isBoxIndex(boxNum) && isProfileNumber(profile))
        return true;
    qCWarning(lcPlus) << operation << "ignored: no box" << boxNum << "or profile" << profile;
    return false;
}
} // namespace

void ZynePlusCommandHelper::loadDeviceSettings() {
    const DeviceSettings settings = m_ini.readDeviceIni();
    for (int b = 0; b < kBoxCount; ++b) {
        ControllerBox& target = boxArray[static_cast<std::size_t>(b)];
        const DeviceRecord& record = settings.devices[static_cast<std::size_t>(b)];
        target.Profile = savedProfileFrom(record);
        target.currentProfile = target.Profile;
        applyDeviceRecord(record, target.rainbowFan, target.awtFan);
    }
    ApplicationSettings::set(applicationSettingsFrom(settings.main));
}

void ZynePlusCommandHelper::applySavedProfiles() {
    for (int b = 0; b < kBoxCount; ++b)
        applyProfile(b, m_ini.readProfileIni(box(b).Profile));
}

void ZynePlusCommandHelper::applyProfile(int boxNum, const PlusProfileTexts& profile) {
    applyPlusProfile(profile, boxArray[static_cast<std::size_t>(boxNum)].rainbowFan);
}

void ZynePlusCommandHelper::resendPorts(int boxNum) {
    for (int p = 0; p < kPlusPortCount; ++p)
        refreshFanLed(boxNum, p);
    for (int p = 0; p < kPlusPortCount; ++p)
        sendCommand_FanSpeed(boxNum, p);
}

void ZynePlusCommandHelper::writeDeviceSettings() {
    m_ini.writeDeviceIni(deviceGroupMap(
        {checkControllerStr().text(), awtPresenceStr().text()},
        [this](int b) { return plusDeviceGroup(box(b).rainbowFan, box(b).Profile, box(b).boxType); },
        ApplicationSettings::get()));
}

void ZynePlusCommandHelper::setSaveProfile(int boxNum, int profile) {
    qCDebug(lcPlus) << "setSaveProfile" << boxNum << profile;
    if (!checkProfile("setSaveProfile", boxNum, profile))
        return;
    ControllerBox& saved = boxArray[static_cast<std::size_t>(boxNum)];
    saved.Profile = profile;
    saved.currentProfile = profile;
    emit sendResetMainViewProfile(profile);
    m_ini.writeProfileIni(plusProfileGroupMap(saved.rainbowFan), profile);
    writeDeviceSettings();

    // Every box on this profile number takes the saved settings, as the file now holds them.
    const PlusProfileTexts stored = m_ini.readProfileIni(profile);
    std::vector<int> sharing;
    for (int b = 0; b < kBoxCount; ++b) {
        if (box(b).Profile == profile && (box(b).isPlusConnected() || box(b).boxType == BoxAwt))
            sharing.push_back(b);
    }
    for (int b : sharing)
        applyProfile(b, stored);
    for (int b : sharing) {
        for (int p = 0; p < kPlusPortCount; ++p) {
            port(b, p).spareInt2 = 0;
            refreshFanLed(b, p);
        }
    }
    for (int b : sharing) {
        if (box(b).isPlusConnected()) {
            for (int p = 0; p < kPlusPortCount; ++p)
                sendCommand_FanSpeed(b, p);
            sendCommand_Save(b);
        } else {
            for (int p = 0; p < kAwtFanCount; ++p)
                sendCommand_FanSpeed(b, p);
            queueAwt(b, 0, AwtSave);
        }
    }
}

void ZynePlusCommandHelper::sendCommand_Save(int boxNum) {
    // Its outcome is logged when it comes back.
    exchange(boxNum, BoxJob::Kind::Save, -1, plusreport::save(), Precondition::PlusConnected);
}

void ZynePlusCommandHelper::setSelectProfile(int boxNum, int profile) {
    qCDebug(lcPlus) << "setSelectProfile" << boxNum << profile;
    if (!checkProfile("setSelectProfile", boxNum, profile))
        return;
    boxArray[static_cast<std::size_t>(boxNum)].currentProfile = profile;
    applyProfile(boxNum, m_ini.readProfileIni(profile));
    resendPorts(boxNum);
    if (boxNum == selectedBox())
        reportShownBoxToViews();
}

void ZynePlusCommandHelper::receivePlusMonitor(int boxNum, int fanNum, bool on) {
    qCDebug(lcPlus) << "receivePlusMonitor" << boxNum << fanNum << on;
    if (!checkPort("receivePlusMonitor", boxNum, fanNum))
        return;
    port(boxNum, fanNum).Monitor = on;
    writeDeviceSettings();
}

void ZynePlusCommandHelper::receivePlusFanType(int boxNum, int fanNum, int fanType) {
    qCDebug(lcPlus) << "receivePlusFanType" << boxNum << fanNum << fanType;
    if (!checkPort("receivePlusFanType", boxNum, fanNum))
        return;
    if (fanType < 0 || fanType >= kFanTypeCount) {
        qCWarning(lcPlus) << "receivePlusFanType ignored: no fan type" << fanType;
        return;
    }
    port(boxNum, fanNum).FanType = fanType;
    writeDeviceSettings();
}

void ZynePlusCommandHelper::receiveBB(int boxNum, int fanNum, QString name) {
    qCDebug(lcPlus) << "receiveAAAAAAA" << boxNum << fanNum << name;
    if (!checkPort("receiveBB", boxNum, fanNum))
        return;
    port(boxNum, fanNum).FanName = name;
    writeDeviceSettings();
}

} // namespace zyne
