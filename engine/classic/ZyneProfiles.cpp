#include "ApplicationSettings.h"
#include "ClassicReports.h"
#include "PresenceString.h"
#include "ZyneCommandHelper.h"

namespace zyne {

namespace {
// The settings file is written, then the controllers are told: a pause lets the file settle
// before the boxes on the same profile read it back.
constexpr int kSavePauseMs = 500;

bool checkProfile(const char* operation, int boxNum, int profile) {
    if (isBoxIndex(boxNum) && isProfileNumber(profile))
        return true;
    qCWarning(lcClassic) << operation << "ignored: no box" << boxNum << "or profile" << profile;
    return false;
}
} // namespace

void ZyneCommandHelper::loadSavedProfile(int boxNum) {
    applyClassicProfile(m_ini.readClassicProfileIni(box(boxNum).Profile), record(boxNum).fans);
}

void ZyneCommandHelper::resendPorts(int boxNum) {
    for (int p = 0; p < kClassicFanCount; ++p) {
        resetZyneFan(boxNum, p);
        refreshPort(boxNum, p);
    }
}

void ZyneCommandHelper::writeDeviceSettings() {
    m_ini.writeDeviceIni(deviceGroupMap(
        {classicPresenceStr().text()},
        [this](int b) { return classicDeviceGroup(box(b).fans, box(b).Profile, box(b).boxType); },
        ApplicationSettings::get()));
}

void ZyneCommandHelper::receiveZyneSave(int boxNum, int profile) {
    qCDebug(lcClassic) << "receiveZyneSave" << boxNum << profile;
    if (!checkProfile("receiveZyneSave", boxNum, profile))
        return;
    ClassicBox& saved = record(boxNum);
    saved.Profile = profile;
    saved.currentProfile = profile;
    emit sendResetMainViewProfile(profile);
    m_ini.writeClassicProfileIni(classicProfileGroupMap(saved.fans), profile);
    pause(kSavePauseMs);
    writeDeviceSettings();

    // Every classic box on this profile number takes the saved settings, as the file now holds them.
    const ClassicProfileTexts stored = m_ini.readClassicProfileIni(profile);
    for (int b = 0; b < kBoxCount; ++b) {
        if (box(b).Profile != profile || box(b).boxType != kClassicBoxFound)
            continue;
        applyClassicProfile(stored, record(b).fans);
        if (box(b).isConnected)
            resendPorts(b);
    }
}

void ZyneCommandHelper::receiveZyneSelectProfile(int boxNum, int profile) {
    qCDebug(lcClassic) << "receiveZyneSelectProfile" << boxNum << profile;
    if (!checkProfile("receiveZyneSelectProfile", boxNum, profile))
        return;
    record(boxNum).currentProfile = profile;
    applyClassicProfile(m_ini.readClassicProfileIni(profile), record(boxNum).fans);
    resendPorts(boxNum);
    reportBoxIfShown(boxNum);
    tellPowerSupply(ClassicSyncKind::Colour);
}

void ZyneCommandHelper::receiveZyneMonitor(int boxNum, int fanNum, bool on) {
    qCDebug(lcClassic) << "receiveZyneMonitor" << boxNum << fanNum << on;
    if (!checkPort("receiveZyneMonitor", boxNum, fanNum))
        return;
    fan(boxNum, fanNum).Monitor = on;
    writeDeviceSettings();
}

} // namespace zyne
