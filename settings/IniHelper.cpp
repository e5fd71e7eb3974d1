#include "IniHelper.h"

#include "SettingsFolder.h"
#include "SettingsLog.h"

#include <QFileInfo>
#include <QSettings>

#include <functional>

namespace zyne {

namespace {

QString keyPath(const QString& group, const char* key) {
    return group + QLatin1Char('/') + QLatin1String(key);
}

// A list written without the quotes the store adds comes back as a string list; join it again.
QString valueText(const QSettings& store, const QString& key) {
    const QVariant value = store.value(key);
    switch (value.userType()) {
    case QMetaType::UnknownType:
        return {};
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QStringList:
        return value.toStringList().join(QLatin1Char(','));
    default:
        if (value.canConvert<QString>())
            return value.toString();
        qCWarning(lcSettings).noquote() << "unreadable value" << key << "in" << store.fileName();
        return {};
    }
}

template <typename Group, std::size_t N>
Group readGroup(const QSettings& store, const QString& name, const std::array<GroupKey<Group>, N>& keys) {
    Group group;
    for (const auto& key : keys)
        group.*key.field = valueText(store, keyPath(name, key.key));
    return group;
}

template <typename Group, std::size_t N>
void writeGroup(QSettings& store, const QString& name, const KeyMap& values,
                const std::array<GroupKey<Group>, N>& keys) {
    for (const auto& key : keys)
        store.setValue(keyPath(name, key.key), values.value(QLatin1String(key.key)));
}

void reportFormat(const QSettings& store) {
    if (store.status() == QSettings::FormatError)
        qCWarning(lcSettings).noquote()
            << store.fileName() << "is not well-formed; what cannot be read takes its default";
}

// QSettings replaces the file through QSaveFile (atomic sync is required explicitly), after merging
// the keys set here into what the file holds now, under the store's lock file.
void writeStore(const QString& path, const std::function<void(QSettings&)>& fill) {
    // The store waits for its lock file without a time limit; one that is not a regular file
    // (a folder, say) could never be taken or cleared as stale.
    const QFileInfo lock(path + QStringLiteral(".lock"));
    if (lock.exists() && !lock.isFile()) {
        qCWarning(lcSettings).noquote() << "not written:" << lock.filePath() << "is in the way";
        return;
    }
    QSettings store(path, QSettings::IniFormat);
    store.setAtomicSyncRequired(true);
    reportFormat(store);
    fill(store);
    store.sync();
    if (store.status() == QSettings::AccessError)
        qCWarning(lcSettings).noquote() << "could not write" << path;
}

bool refusedProfile(int profile) {
    if (isProfileNumber(profile))
        return false;
    qCWarning(lcSettings) << "profile number out of range:" << profile;
    return true;
}

} // namespace

IniHelper::IniHelper() : IniHelper(settingsFolder()) {}

IniHelper::IniHelper(QString folder) : m_folder(std::move(folder)) {}

DeviceSettings IniHelper::readDeviceIni() const {
    DeviceSettings settings;
    const QString path = deviceIniPath(m_folder);
    if (!QFileInfo::exists(path)) {
        qCDebug(lcSettings) << "Don't do up load(bool isUpLoad)";
        settings.devices.fill(kDefaultDeviceRecord);
        settings.main = kDefaultMainSettings;
    } else {
        const QSettings store(path, QSettings::IniFormat);
        reportFormat(store);
        for (int box = 0; box < kBoxCount; ++box) {
            DeviceRecord& record = settings.devices[box];
            record = readGroup(store, deviceGroupName(box), kDeviceKeys);
            for (const auto& key : kDeviceKeys) {
                if ((record.*key.field).isEmpty())
                    record.*key.field = kDefaultDeviceRecord.*key.field;
            }
        }
        settings.main = readGroup(store, mainGroupName(), kMainKeys);
    }
    qCDebug(lcSettings).noquote() << "Password:::" << settings.main.Password;
    return settings;
}

void IniHelper::writeDeviceIni(GroupMap groups) const {
    writeStore(deviceIniPath(m_folder), [&groups](QSettings& store) {
        for (int box = 0; box < kBoxCount; ++box) {
            const KeyMap slot = groups.value(deviceGroupName(box));
            if (!slot.isEmpty())
                writeGroup(store, deviceGroupName(box), slot, kDeviceKeys);
        }
        // Without a Main group in the map the application settings stay as they are, rather than
        // being blanked.
        if (groups.contains(mainGroupName()))
            writeGroup(store, mainGroupName(), groups.value(mainGroupName()), kMainKeys);
    });
}

namespace {

template <typename Texts, typename Group, std::size_t N>
Texts readProfile(int profile, const QString& path, const std::array<GroupKey<Group>, N>& keys,
                  const Group& defaults, const char* missingFileLine) {
    Texts texts;
    texts.fill(defaults);
    if (refusedProfile(profile))
        return texts;
    if (!QFileInfo::exists(path)) {
        qCDebug(lcSettings) << missingFileLine;
        return texts;
    }
    const QSettings store(path, QSettings::IniFormat);
    reportFormat(store);
    for (std::size_t port = 0; port < texts.size(); ++port)
        texts[port] = readGroup(store, profileGroupName(int(port)), keys);
    return texts;
}

template <typename Group, std::size_t N>
void writeProfile(const QString& path, const GroupMap& groups, int groupCount,
                  const std::array<GroupKey<Group>, N>& keys) {
    writeStore(path, [&](QSettings& store) {
        for (int port = 0; port < groupCount; ++port)
            writeGroup(store, profileGroupName(port), groups.value(profileGroupName(port)), keys);
    });
}

} // namespace

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
