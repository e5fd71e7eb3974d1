#include "DeviceSettings.h"

#include "SettingsText.h"

namespace zyne {

const std::array<GroupKey<DeviceRecord>, 6> kDeviceKeys{{
    {"BoxType", &DeviceRecord::BoxType},
    {"Profile", &DeviceRecord::Profile},
    {"Monitor", &DeviceRecord::Monitor},
    {"ZyneMonitor", &DeviceRecord::ZyneMonitor},
    {"FanType", &DeviceRecord::FanType},
    {"FanName", &DeviceRecord::FanName},
}};

const std::array<GroupKey<MainSettings>, 9> kMainKeys{{
    {"AutoUpdate", &MainSettings::AutoUpdate},
    {"Language", &MainSettings::Language},
    {"Password", &MainSettings::Password},
    {"OpenPassword", &MainSettings::OpenPassword},
    {"isAutoRun", &MainSettings::isAutoRun},
    {"isSyncPwrix", &MainSettings::isSyncPwrix},
    {"MobileServer", &MainSettings::MobileServer},
    {"UpdateServer", &MainSettings::UpdateServer},
    {"PwrixModels", &MainSettings::PwrixModels},
}};

const DeviceRecord kDefaultDeviceRecord{
    QStringLiteral("1"),     QStringLiteral("1"),         QStringLiteral("1,1,1,1,1"),
    QStringLiteral("1,1,1"), QStringLiteral("0,0,0,0,0"), QStringLiteral("Name,Name,Name,Name,Name"),
};

const MainSettings kDefaultMainSettings{
    QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("5173"),
    QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("0"),
    QStringLiteral("1"), QString(),           QString(),
};

QString deviceGroupName(int box) {
    return QStringLiteral("Device%1").arg(box);
}

QString mainGroupName() {
    return QStringLiteral("Main");
}

QString translationFileForLanguage(int language) {
    static const char* const files[kLanguageCount] = {"en", "tc", "cn", "de", "fr", "jp", "th"};
    if (language < 0 || language >= kLanguageCount)
        return {};
    return QStringLiteral("Language/%1.qm").arg(QLatin1String(files[language]));
}

QString storableFanName(const QString& name) {
    QString storable;
    storable.reserve(name.size());
    for (const QChar c : name) {
        if (c == QLatin1Char('%'))
            storable += QStringLiteral("%25");
        else if (c == QLatin1Char(','))
            storable += QStringLiteral("%2C");
        else
            storable += c;
    }
    return storable;
}

QString fanNameFromStored(const QString& stored) {
    QString name;
    name.reserve(stored.size());
    for (int i = 0; i < stored.size(); ++i) {
        const QStringRef code = stored.midRef(i, 3);
        if (code == QLatin1String("%25")) {
            name += QLatin1Char('%');
            i += 2;
        } else if (code.compare(QLatin1String("%2C"), Qt::CaseInsensitive) == 0) {
            name += QLatin1Char(',');
            i += 2;
        } else {
            // A lone '%' (a name written before names were encoded) stays as it is.
            name += stored.at(i);
        }
    }
    return name;
}

int savedProfileFrom(const DeviceRecord& record) {
    return valueOr(decimalValue(record.Profile), 1, kProfileCount, 1);
}

int boxTypeFrom(const DeviceRecord& record) {
    return decimalValue(record.BoxType);
}

namespace {
// The classic fans and the AWT fans share ZyneMonitor; both have three.
static_assert(kAwtFanCount == kClassicFanCount);
QStringList zyneMonitorFlags(const DeviceRecord& record) {
    return listEntries(record.ZyneMonitor, kDefaultDeviceRecord.ZyneMonitor, kClassicFanCount);
}
} // namespace

void applyDeviceRecord(const DeviceRecord& record, PlusPorts& ports, AwtFans& awtFans) {
    const QStringList monitors = listEntries(record.Monitor, kDefaultDeviceRecord.Monitor, kPlusPortCount);
    const QStringList types = listEntries(record.FanType, kDefaultDeviceRecord.FanType, kPlusPortCount);
    const QStringList names = listEntries(record.FanName, kDefaultDeviceRecord.FanName, kPlusPortCount);
    for (int port = 0; port < kPlusPortCount; ++port) {
        ports[port].Monitor = flagValue(monitors[port]);
        ports[port].FanType = valueOr(decimalValue(types[port]), 0, kFanTypeCount - 1, 0);
        ports[port].FanName = fanNameFromStored(names[port]);
    }
    const QStringList awtMonitors = zyneMonitorFlags(record);
    for (int fan = 0; fan < kAwtFanCount; ++fan)
        awtFans[fan].Monitor = flagValue(awtMonitors[fan]);
}

void applyDeviceRecord(const DeviceRecord& record, ClassicFans& fans) {
    const QStringList monitors = zyneMonitorFlags(record);
    for (int fan = 0; fan < kClassicFanCount; ++fan)
        fans[fan].Monitor = flagValue(monitors[fan]);
}

ApplicationSettingsValues applicationSettingsFrom(const MainSettings& main) {
    ApplicationSettingsValues values;
    values.autoUpdate = flagValue(main.AutoUpdate);
    // Kept as stored: an index without a catalogue shows the English texts.
    values.language = decimalValue(main.Language);
    values.password = main.Password;
    values.openPassword = flagValue(main.OpenPassword);
    values.isAutoRun = flagValue(main.isAutoRun);
    values.isSyncPwrix = flagValue(main.isSyncPwrix);
    // Absent or unknown keeps the server as the app expects it: on every interface.
    bool known = false;
    const int mobileServer = main.MobileServer.toInt(&known);
    values.mobileServer = known ? valueOr(mobileServer, 0, 2, 1) : 1;
    values.updateServer = main.UpdateServer.trimmed();
    values.pwrixModels = main.PwrixModels.trimmed();
    return values;
}

KeyMap plusDeviceGroup(const PlusPorts& ports, int savedProfile, int boxType) {
    return {
        {QStringLiteral("Monitor"),
         joinedList(ports, [](const RainbowFanState& p) { return flagText(p.Monitor); })},
        {QStringLiteral("Profile"), QString::number(savedProfile)},
        {QStringLiteral("BoxType"), QString::number(boxType)},
        {QStringLiteral("FanType"),
         joinedList(ports, [](const RainbowFanState& p) { return QString::number(p.FanType); })},
        {QStringLiteral("FanName"),
         joinedList(ports, [](const RainbowFanState& p) { return storableFanName(p.FanName); })},
    };
}

KeyMap classicDeviceGroup(const ClassicFans& fans, int savedProfile, int boxType) {
    return {
        {QStringLiteral("ZyneMonitor"),
         joinedList(fans, [](const ClassicFanState& f) { return flagText(f.Monitor); })},
        {QStringLiteral("Profile"), QString::number(savedProfile)},
        {QStringLiteral("BoxType"), QString::number(boxType)},
    };
}

KeyMap mainGroup(const ApplicationSettingsValues& values) {
    return {
        {QStringLiteral("AutoUpdate"), flagText(values.autoUpdate)},
        {QStringLiteral("Language"), QString::number(values.language)},
        {QStringLiteral("Password"), values.password},
        {QStringLiteral("OpenPassword"), flagText(values.openPassword)},
        {QStringLiteral("isAutoRun"), flagText(values.isAutoRun)},
        {QStringLiteral("isSyncPwrix"), flagText(values.isSyncPwrix)},
        {QStringLiteral("MobileServer"), QString::number(values.mobileServer)},
        {QStringLiteral("UpdateServer"), values.updateServer},
        {QStringLiteral("PwrixModels"), values.pwrixModels},
    };
}

GroupMap deviceGroupMap(std::initializer_list<QString> presenceStrings,
                        const std::function<KeyMap(int box)>& slotGroup,
                        const ApplicationSettingsValues& values) {
    GroupMap groups;
    for (int box = 0; box < kBoxCount; ++box) {
        for (const QString& presence : presenceStrings) {
            // Any digit but '0' is present: the AWT string counts the chips answering for a box.
            if (presence.size() > box && presence.at(box).isDigit() && presence.at(box) != QLatin1Char('0')) {
                groups.insert(deviceGroupName(box), slotGroup(box));
                break;
            }
        }
    }
    groups.insert(mainGroupName(), mainGroup(values));
    return groups;
}

GroupMap mainOnlyGroupMap(const ApplicationSettingsValues& values) {
    return {{mainGroupName(), mainGroup(values)}};
}

} // namespace zyne
