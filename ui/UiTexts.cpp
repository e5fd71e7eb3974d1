#include "UiTexts.h"

#include <array>

namespace zyne::ui {

namespace {
// QT_TRANSLATE_NOOP keeps the keys visible to lupdate while the lookup happens later.
constexpr std::array<const char*, kLanguageCount> kLanguageKeys = {
    QT_TRANSLATE_NOOP("MainView", "en"), QT_TRANSLATE_NOOP("MainView", "tc"),
    QT_TRANSLATE_NOOP("MainView", "cn"), QT_TRANSLATE_NOOP("MainView", "de"),
    QT_TRANSLATE_NOOP("MainView", "fr"), QT_TRANSLATE_NOOP("MainView", "jp"),
    QT_TRANSLATE_NOOP("MainView", "th")};

constexpr std::array<const char*, 21> kLightModeKeys = {
    QT_TRANSLATE_NOOP("RainbowFan", "Snake"),       QT_TRANSLATE_NOOP("RainbowFan", "Cycle"),
    QT_TRANSLATE_NOOP("RainbowFan", "Radar"),       QT_TRANSLATE_NOOP("RainbowFan", "Blink"),
    QT_TRANSLATE_NOOP("RainbowFan", "Breath"),      QT_TRANSLATE_NOOP("RainbowFan", "Whirl"),
    QT_TRANSLATE_NOOP("RainbowFan", "Light"),       QT_TRANSLATE_NOOP("RainbowFan", "Copy"),
    QT_TRANSLATE_NOOP("RainbowFan", "Music_1"),     QT_TRANSLATE_NOOP("RainbowFan", "Music_2"),
    QT_TRANSLATE_NOOP("RainbowFan", "Music_3"),     QT_TRANSLATE_NOOP("RainbowFan", "Mobile_1"),
    QT_TRANSLATE_NOOP("RainbowFan", "Mobile_2"),    QT_TRANSLATE_NOOP("RainbowFan", "Mobile_3"),
    QT_TRANSLATE_NOOP("RainbowFan", "Temperature"), QT_TRANSLATE_NOOP("RainbowFan", "Cross"),
    QT_TRANSLATE_NOOP("RainbowFan", "V.X"),         QT_TRANSLATE_NOOP("RainbowFan", "Shooting Start"),
    QT_TRANSLATE_NOOP("RainbowFan", "Black Hole"),  QT_TRANSLATE_NOOP("RainbowFan", "Aurora"),
    QT_TRANSLATE_NOOP("RainbowFan", "N3 RGB Sync")};

constexpr std::array<const char*, 3> kColorModeKeys = {QT_TRANSLATE_NOOP("RainbowFan", "RGB"),
                                                       QT_TRANSLATE_NOOP("RainbowFan", "Single"),
                                                       QT_TRANSLATE_NOOP("RainbowFan", "OFF")};

constexpr std::array<const char*, 4> kLightSpeedKeys = {
    QT_TRANSLATE_NOOP("RainbowFan", "So Fast"), QT_TRANSLATE_NOOP("RainbowFan", "Fast"),
    QT_TRANSLATE_NOOP("RainbowFan", "Normal"), QT_TRANSLATE_NOOP("RainbowFan", "Slow")};

constexpr std::array<const char*, 5> kHardwareErrorKeys = {
    QT_TRANSLATE_NOOP("MainView", "Error_Code_H_0x0001"),
    QT_TRANSLATE_NOOP("MainView", "Error_Code_H_0x0002"),
    QT_TRANSLATE_NOOP("MainView", "Error_Code_H_0x0003"),
    QT_TRANSLATE_NOOP("MainView", "Error_Code_H_0x0004"),
    QT_TRANSLATE_NOOP("MainView", "Error_Code_H_0x0005")};
constexpr std::array<const char*, 1> kSoftwareErrorKeys = {
    QT_TRANSLATE_NOOP("MainView", "Error_Code_S_0x0002")};

template <std::size_t N>
QString pick(const std::array<const char*, N>& keys, const char* context, int index) {
    if (index < 0 || index >= static_cast<int>(N))
        return QString();
    return QCoreApplication::translate(context, keys[static_cast<std::size_t>(index)]);
}
} // namespace

QStringList languageNames() {
    QStringList names;
    for (int i = 0; i < kLanguageCount; ++i)
        names << pick(kLanguageKeys, "MainView", i);
    return names;
}

QString lightModeName(int lightMode) {
    return pick(kLightModeKeys, "RainbowFan", lightMode);
}

QString colorModeName(int colorMode) {
    return pick(kColorModeKeys, "RainbowFan", colorMode);
}

QString lightSpeedName(int lightSpeed) {
    return pick(kLightSpeedKeys, "RainbowFan", lightSpeed);
}

bool isKnownError(int type, int index) {
    if (type == 0)
        return index >= 0 && index < static_cast<int>(kHardwareErrorKeys.size());
    if (type == 1)
        return index >= 0 && index < static_cast<int>(kSoftwareErrorKeys.size());
    return false;
}

QString errorLineText(int type, int index) {
    if (!isKnownError(type, index))
        return QString();
    const char* key = type == 0 ? kHardwareErrorKeys[static_cast<std::size_t>(index)]
                                : kSoftwareErrorKeys[static_cast<std::size_t>(index)];
    // The code is the key without its "Error_Code_" prefix.
    const QString code = QString::fromLatin1(key).mid(11);
    return QCoreApplication::translate("MainView", key) + QStringLiteral(" (") +
           MainViewText::tr("Error Code") + QLatin1Char(':') + code + QLatin1Char(')');
}

} // namespace zyne::ui
