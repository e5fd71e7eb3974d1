#include "LightingProfiles.h"

#include "SettingsLog.h"
#include "SettingsText.h"

#include <algorithm>

namespace zyne {

const std::array<GroupKey<PlusProfileGroup>, 12> kPlusProfileKeys{{
    {"RColor", &PlusProfileGroup::RColor},
    {"GColor", &PlusProfileGroup::GColor},
    {"BColor", &PlusProfileGroup::BColor},
    {"Bright", &PlusProfileGroup::Bright},
    {"Speed_Per", &PlusProfileGroup::Speed_Per},
    {"Speed_Num", &PlusProfileGroup::Speed_Num},
    {"SpeedMode", &PlusProfileGroup::SpeedMode},
    {"PWM", &PlusProfileGroup::PWM},
    {"colorMode", &PlusProfileGroup::colorMode},
    {"lightMode", &PlusProfileGroup::lightMode},
    {"lightSpeed", &PlusProfileGroup::lightSpeed},
    {"isTurnOffLed", &PlusProfileGroup::isTurnOffLed},
}};

const std::array<GroupKey<ClassicProfileGroup>, 9> kClassicProfileKeys{{
    {"RColor", &ClassicProfileGroup::RColor},
    {"GColor", &ClassicProfileGroup::GColor},
    {"BColor", &ClassicProfileGroup::BColor},
    {"Bright", &ClassicProfileGroup::Bright},
    {"Speed", &ClassicProfileGroup::Speed},
    {"SpeedMode", &ClassicProfileGroup::SpeedMode},
    {"PWM", &ClassicProfileGroup::PWM},
    {"lightMode", &ClassicProfileGroup::lightMode},
    {"isTurnOffLed", &ClassicProfileGroup::isTurnOffLed},
}};

const PlusProfileGroup kDefaultPlusProfileGroup{
    QStringLiteral("0,0,0,0,127,255,255,255,255,255,127,0,255"),
    QStringLiteral("127,255,255,255,255,255,127,0,0,0,0,0,0"),
    QStringLiteral("255,255,127,0,0,0,0,0,127,255,255,255,0"),
    QStringLiteral("1,1,1,1,1,1,1,1,1,1,1,1,1"),
    QStringLiteral("5"),
    QStringLiteral("10"),
    QStringLiteral("2"),
    QStringLiteral("1"),
    QStringLiteral("0"),
    QStringLiteral("5"),
    QStringLiteral("3"),
    QStringLiteral("0"),
};

const ClassicProfileGroup kDefaultClassicProfileGroup{
    QStringLiteral("255"), QStringLiteral("255"), QStringLiteral("0"),
    QStringLiteral("1"),   QStringLiteral("5"),   QStringLiteral("2"),
    QStringLiteral("1"),   QStringLiteral("0"),   QStringLiteral("0"),
};

namespace {
constexpr int kLightModeCount = 21;
constexpr int kColorModeCount = 3;
constexpr int kLightSpeedMax = 3;
constexpr int kSpeedModeCount = 3;
// Wide enough for every value the program stores (sliders, spoken speeds), small enough that the
// speed arithmetic downstream cannot overflow.
constexpr int kSpeedSettingMax = 100;
constexpr int kClassicSpeedMax = 5;
constexpr int kClassicLightModeCount = 8;
constexpr int kColourMax = 255;

int colourValue(const QString& text) {
    return std::clamp(decimalValue(text), 0, kColourMax);
}

int modeValue(const QString& text, int count, const QString& fallback) {
    return valueOr(decimalValue(text), 0, count - 1, decimalValue(fallback));
}

int boundedValue(const QString& text, int highest) {
    return std::clamp(decimalValue(text), 0, highest);
}

void applyColourList(const QString& text, const QString& fallback, std::array<int, kColourEntries>& colours) {
    const QStringList entries = listEntries(text, fallback, kColourEntries);
    for (int e = 0; e < kColourEntries; ++e)
        colours[e] = colourValue(entries[e]);
}

void applyPlusPort(const PlusProfileGroup& group, RainbowFanState& port) {
    const PlusProfileGroup& fallback = kDefaultPlusProfileGroup;
    applyColourList(group.RColor, fallback.RColor, port.RColor);
    applyColourList(group.GColor, fallback.GColor, port.GColor);
    applyColourList(group.BColor, fallback.BColor, port.BColor);
    const QStringList bright = listEntries(group.Bright, fallback.Bright, kColourEntries);
    for (int e = 0; e < kColourEntries; ++e)
        port.Bright[e] = brightnessValue(bright[e]);
    port.Speed_Per = boundedValue(group.Speed_Per, kSpeedSettingMax);
    port.Speed_Num = boundedValue(group.Speed_Num, kSpeedSettingMax);
    port.SpeedMode = modeValue(group.SpeedMode, kSpeedModeCount, fallback.SpeedMode);
    port.colorMode = modeValue(group.colorMode, kColorModeCount, fallback.colorMode);
    port.lightMode = modeValue(group.lightMode, kLightModeCount, fallback.lightMode);
    port.lightSpeed = boundedValue(group.lightSpeed, kLightSpeedMax);
    port.PWM = flagValue(group.PWM);
    port.isTurnOffLed = flagValue(group.isTurnOffLed);
}

template <typename Group, std::size_t N>
KeyMap keyMapOf(const Group& group, const std::array<GroupKey<Group>, N>& keys) {
    KeyMap map;
    for (const auto& key : keys)
        map.insert(QLatin1String(key.key), group.*key.field);
    return map;
}
} // namespace

QString profileGroupName(int port) {
    return QStringLiteral("Fan%1").arg(port);
}

void applyPlusProfile(const PlusProfileTexts& profile, PlusPorts& ports) {
    qCDebug(lcSettings) << "paraseProfile----";
    for (int port = 0; port < kPlusPortCount; ++port)
        applyPlusPort(profile[port], ports[port]);
    const RainbowFanState& first = ports[0];
    for (RainbowFanState& port : ports) {
        if (port.lightMode != kCopyLightMode)
            continue;
        port.colorMode = first.colorMode;
        port.lightSpeed = first.lightSpeed;
        port.isTurnOffLed = first.isTurnOffLed;
        port.copyLightMode = first.lightMode;
    }
}

void applyClassicProfile(const ClassicProfileTexts& profile, ClassicFans& fans) {
    qCDebug(lcSettings) << "paraseZyneProfile----START";
    const ClassicProfileGroup& fallback = kDefaultClassicProfileGroup;
    for (int f = 0; f < kClassicFanCount; ++f) {
        const ClassicProfileGroup& group = profile[f];
        ClassicFanState& fan = fans[f];
        fan.RColor = colourValue(group.RColor);
        fan.GColor = colourValue(group.GColor);
        fan.BColor = colourValue(group.BColor);
        fan.Bright = brightnessValue(group.Bright);
        fan.Speed = boundedValue(group.Speed, kClassicSpeedMax);
        fan.SpeedMode = modeValue(group.SpeedMode, kSpeedModeCount, fallback.SpeedMode);
        fan.PWM = flagValue(group.PWM);
        fan.lightMode = modeValue(group.lightMode, kClassicLightModeCount, fallback.lightMode);
        fan.isTurnOff = flagValue(group.isTurnOffLed);
    }
    qCDebug(lcSettings) << "paraseZyneProfile----END";
}

GroupMap plusProfileGroupMap(const PlusPorts& ports) {
    const auto number = [](int value) { return QString::number(value); };
    GroupMap groups;
    for (int p = 0; p < kPlusPortCount; ++p) {
        const RainbowFanState& port = ports[p];
        const PlusProfileGroup group{
            joinedList(port.RColor, number), joinedList(port.GColor, number),
            joinedList(port.BColor, number), joinedList(port.Bright, brightnessText),
            number(port.Speed_Per),          number(port.Speed_Num),
            number(port.SpeedMode),          flagText(port.PWM),
            number(port.colorMode),          number(port.lightMode),
            number(port.lightSpeed),         flagText(port.isTurnOffLed),
        };
        groups.insert(profileGroupName(p), keyMapOf(group, kPlusProfileKeys));
    }
    return groups;
}

GroupMap classicProfileGroupMap(const ClassicFans& fans) {
    GroupMap groups;
    for (int f = 0; f < kClassicFanCount; ++f) {
        const ClassicFanState& fan = fans[f];
        const ClassicProfileGroup group{
            QString::number(fan.RColor), QString::number(fan.GColor),    QString::number(fan.BColor),
            brightnessText(fan.Bright),  QString::number(fan.Speed),     QString::number(fan.SpeedMode),
            flagText(fan.PWM),           QString::number(fan.lightMode), flagText(fan.isTurnOff),
        };
        groups.insert(profileGroupName(f), keyMapOf(group, kClassicProfileKeys));
    }
    return groups;
}

} // namespace zyne
