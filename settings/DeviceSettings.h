#pragma once

#include "ApplicationSettings.h"
#include "ClassicFanState.h"
#include "FanRecords.h"
#include "GroupMap.h"

#include <QString>

#include <array>
#include <functional>
#include <initializer_list>

namespace zyne {

using PlusPorts = std::array<RainbowFanState, kPlusPortCount>;
using AwtFans = std::array<AwtFanState, kAwtFanCount>;

constexpr int kProfileCount = 5;
constexpr bool isProfileNumber(int profile) {
    return profile >= 1 && profile <= kProfileCount;
}
constexpr int kLanguageCount = 7;
constexpr int kFanTypeCount = 8;

// One DeviceN group of Device.ini, as text.
struct DeviceRecord {
    QString BoxType;
    QString Profile;
    QString Monitor;
    QString ZyneMonitor;
    QString FanType;
    QString FanName;
};

// The Main group of Device.ini, as text.
struct MainSettings {
    QString AutoUpdate;
    QString Language;
    QString Password;
    QString OpenPassword;
    QString isAutoRun;
    QString isSyncPwrix;
    QString MobileServer;
    QString UpdateServer;
    QString PwrixModels;
};

struct DeviceSettings {
    std::array<DeviceRecord, kBoxCount> devices;
    MainSettings main;
};

template <typename Group> struct GroupKey {
    const char* key;
    QString Group::*field;
};
extern const std::array<GroupKey<DeviceRecord>, 6> kDeviceKeys;
extern const std::array<GroupKey<MainSettings>, 9> kMainKeys;
extern const DeviceRecord kDefaultDeviceRecord;
// What a missing Device.ini gives for Main.
extern const MainSettings kDefaultMainSettings;

QString deviceGroupName(int box);
QString mainGroupName();
// "Language/de.qm" for language 3; empty for an index without a catalogue.
QString translationFileForLanguage(int language);

// A comma would split the name list and shift every later port's name, so a name is stored with
// "%" and "," written as "%25" and "%2C", and read back as it was typed.
QString storableFanName(const QString& name);
QString fanNameFromStored(const QString& stored);

// --- applying a read ---

// The saved profile number of a slot; a number outside 1..5 gives 1.
int savedProfileFrom(const DeviceRecord& record);
int boxTypeFrom(const DeviceRecord& record);
// Plus worker: per-port monitor flag, fan type and name; ZyneMonitor to the AWT fan records.
void applyDeviceRecord(const DeviceRecord& record, PlusPorts& ports, AwtFans& awtFans);
// Classic worker: ZyneMonitor to the three fan records.
void applyDeviceRecord(const DeviceRecord& record, ClassicFans& fans);
ApplicationSettingsValues applicationSettingsFrom(const MainSettings& main);

// --- building group maps for writeDeviceIni ---

KeyMap plusDeviceGroup(const PlusPorts& ports, int savedProfile, int boxType);
KeyMap classicDeviceGroup(const ClassicFans& fans, int savedProfile, int boxType);
KeyMap mainGroup(const ApplicationSettingsValues& values);
// The slot group of every box present (a digit other than '0') in any presence string, then Main.
GroupMap deviceGroupMap(std::initializer_list<QString> presenceStrings,
                        const std::function<KeyMap(int box)>& slotGroup,
                        const ApplicationSettingsValues& values);
// What the main window writes: Main only.
GroupMap mainOnlyGroupMap(const ApplicationSettingsValues& values);

} // namespace zyne
