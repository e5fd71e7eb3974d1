#include "IniHelper.h"

#include "IniFileStore.h"
#include "SettingsFolder.h"
#include "SettingsLog.h"

namespace zyne {

namespace {

template <typename Group, std::size_t N>
Group readGroup(const IniDocument& document, const QString& name,
                const std::array<GroupKey<Group>, N>& keys) {
    Group group;
    for (const auto& key : keys)
        group.*key.field = document.value(name, QLatin1String(key.key));
    return group;
}

// A key the map lacks is written as empty text.
template <typename Group, std::size_t N>
void writeGroup(IniDocument& document, const QString& name, const KeyMap& values,
                const std::array<GroupKey<Group>, N>& keys) {
    for (const auto& key : keys)
        document.setValue(name, QLatin1String(key.key), values.value(QLatin1String(key.key)));
}

bool refusedProfile(int profile) {
    if (isProfileNumber(profile))
        return false;
    qCWarning(lcSettings) << "profile number out of range:" << profile;
    return true;
}

template <typename Texts, typename Group, std::size_t N>
Texts profileFrom(const IniDocument& document, const std::array<GroupKey<Group>, N>& keys) {
    Texts texts;
    for (std::size_t port = 0; port < texts.size(); ++port)
        texts[port] = readGroup(document, profileGroupName(int(port)), keys);
    return texts;
}

template <typename Texts, typename Group, std::size_t N>
Texts readProfile(int profile, const QString& path, const std::array<GroupKey<Group>, N>& keys,
                  const Group& defaults, const char* missingFileLine) {
    Texts texts;
    texts.fill(defaults);
    if (refusedProfile(profile))
        return texts;
    const std::optional<IniDocument> document = readIniFile(path);
    if (!document) {
        qCDebug(lcSettings) << missingFileLine;
        return texts;
    }
    return profileFrom<Texts>(*document, keys);
}

template <typename Group, std::size_t N>
void writeProfile(const QString& path, const GroupMap& groups, int groupCount,
                  const std::array<GroupKey<Group>, N>& keys) {
    updateIniFile(path, [&](IniDocument& document) {
        for (int port = 0; port < groupCount; ++port)
            writeGroup(document, profileGroupName(port), groups.value(profileGroupName(port)), keys);
    });
}

} // namespace

DeviceSettings deviceSettingsFrom(const IniDocument& document) {
    DeviceSettings settings;
    for (int box = 0; box < kBoxCount; ++box) {
        DeviceRecord& record = settings.devices[box];
        record = readGroup(document, deviceGroupName(box), kDeviceKeys);
        for (const auto& key : kDeviceKeys) {
            if ((record.*key.field).isEmpty())
                record.*key.field = kDefaultDeviceRecord.*key.field;
        }
    }
    settings.main = readGroup(document, mainGroupName(), kMainKeys);
    return settings;
}

PlusProfileTexts plusProfileFrom(const IniDocument& document) {
    return profileFrom<PlusProfileTexts>(document, kPlusProfileKeys);
}

ClassicProfileTexts classicProfileFrom(const IniDocument& document) {
    return profileFrom<ClassicProfileTexts>(document, kClassicProfileKeys);
}

IniHelper::IniHelper() : IniHelper(settingsFolder()) {}

IniHelper::IniHelper(QString folder) : m_folder(std::move(folder)) {}

DeviceSettings IniHelper::readDeviceIni() const {
    DeviceSettings settings;
    const std::optional<IniDocument> document = readIniFile(deviceIniPath(m_folder));
    if (!document) {
        qCDebug(lcSettings) << "Don't do up load(bool isUpLoad)";
        settings.devices.fill(kDefaultDeviceRecord);
        settings.main = kDefaultMainSettings;
    } else {
        settings = deviceSettingsFrom(*document);
    }
    // The log file outlives the session: nothing of the lock's password goes there, not even its length.
    qCDebug(lcSettings).noquote() << "Password:::"
                                  << "****";
    return settings;
}

void IniHelper::writeDeviceIni(GroupMap groups) const {
    updateIniFile(deviceIniPath(m_folder), [&groups](IniDocument& document) {
        for (int box = 0; box < kBoxCount; ++box) {
            const KeyMap slot = groups.value(deviceGroupName(box));
            if (!slot.isEmpty())
                writeGroup(document, deviceGroupName(box), slot, kDeviceKeys);
        }
        // Without a Main group in the map the application settings stay as they are, rather than
        // being blanked.
        if (groups.contains(mainGroupName()))
            writeGroup(document, mainGroupName(), groups.value(mainGroupName()), kMainKeys);
    });
}

PlusProfileTexts IniHelper::readProfileIni(int profile) const {
    return readProfile<PlusProfileTexts>(profile, plusProfilePath(m_folder, profile), kPlusProfileKeys,
                                         kDefaultPlusProfileGroup,
                                         "readProfileIni--Don't do up load(bool isUpLoad)");
}

void IniHelper::writeProfileIni(GroupMap groups, int profile) const {
    qCDebug(lcSettings).noquote() << "location:" << m_folder;
    if (!refusedProfile(profile))
        writeProfile(plusProfilePath(m_folder, profile), groups, kPlusPortCount, kPlusProfileKeys);
}

ClassicProfileTexts IniHelper::readClassicProfileIni(int profile) const {
    return readProfile<ClassicProfileTexts>(profile, classicProfilePath(m_folder, profile),
                                            kClassicProfileKeys, kDefaultClassicProfileGroup,
                                            "Don't do up load(bool isUpLoad)");
}

void IniHelper::writeClassicProfileIni(GroupMap groups, int profile) const {
    if (!refusedProfile(profile))
        writeProfile(classicProfilePath(m_folder, profile), groups, kClassicFanCount, kClassicProfileKeys);
}

} // namespace zyne
