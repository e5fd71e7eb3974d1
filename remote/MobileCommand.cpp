#include "MobileCommand.h"

#include "MobileFrames.h"

#include <cmath>
#include <initializer_list>

namespace zyne {

namespace {

struct KeyRange {
    const char* key;
    int lowest;
    int highest;
};

// Integer keys of Data and the values a command may carry. Brightness comes in tenths, except for
// the voice assistant (command 19), which speaks in percent.
constexpr KeyRange kPlusKeys[] = {
    {"LightMode", 0, 20}, {"ColorMode", 0, 2},  {"Speed", 0, 3},   {"RColor", 0, 255},  {"GColor", 0, 255},
    {"BColor", 0, 255},   {"Bright", 0, 10},    {"Status", 0, 1},  {"Volume", 0, 100},  {"MusicMode", 0, 2},
    {"Profile", 1, 5},    {"FanSpeed", 0, 100}, {"Rainbow", 0, 1}, {"isTurnOff", 0, 1},
};
// Classic brightness is a factor (classicBright), as the classic status record reports it.
constexpr KeyRange kClassicKeys[] = {
    {"LightMode", 0, 20}, {"RColor", 0, 255}, {"GColor", 0, 255}, {"BColor", 0, 255},  {"Status", 0, 1},
    {"Volume", 0, 100},   {"Profile", 1, 5},  {"FanSpeed", 0, 5}, {"isTurnOff", 0, 1},
};
constexpr int kVoiceBrightMax = 100;

// The Data keys a command reads: the others may hold anything, as the app leaves in what it
// sent last for another command.
QStringList usedKeys(bool classic, int command) {
    static const QStringList port{"BoxNum", "FanNum"};
    static const QStringList lightMode = port + QStringList{"LightMode", "ColorMode", "Speed", "FanType"};
    static const QStringList colour = port + QStringList{"RColor", "GColor", "BColor", "LED1", "FanType"};
    static const QStringList bright = port + QStringList{"Bright", "ColorMode", "LED1"};
    static const QStringList turnLed = port + QStringList{"Status", "FanType"};
    static const QStringList music =
        port + QStringList{"Status", "Volume", "ColorMode", "MusicMode", "FanType"};
    static const QStringList voice{"LightMode", "ColorMode", "Speed",   "Bright",  "RColor",  "GColor",
                                   "BColor",    "Status",    "FanType", "Rainbow", "FanSpeed"};
    static const QStringList classicLight = port + QStringList{"LightMode", "isTurnOff"};
    static const QStringList classicColour =
        port + QStringList{"RColor", "GColor", "BColor", "Bright", "LightMode", "isTurnOff"};
    static const QStringList classicMusic =
        port + QStringList{"Status", "Volume", "LightMode", "Bright", "RColor", "GColor", "BColor"};
    if (classic) {
        switch (command) {
        case 1:
        case 4:
            return classicLight;
        case 2:
            return classicColour;
        case 6:
            return port + QStringList{"FanSpeed"};
        case 7:
            return classicMusic;
        case 9:
            return {"BoxNum", "Profile"};
        case 15:
            return {"BoxNum"};
        default:
            return {};
        }
    }
    switch (command) {
    case 0:
    case 2:
    case 17:
        return lightMode;
    case 1:
    case 3:
        return colour;
    case 4:
    case 16:
        return bright;
    case 5:
    case 11:
        return turnLed;
    case 7:
        return music;
    case 8:
        return port + QStringList{"LightMode"};
    case 12:
    case 14:
        return {"BoxNum", "Profile"};
    case 15:
        return {"BoxNum"};
    case 18:
        return {"Voice"};
    case 19:
        return voice;
    default:
        return {};
    }
}

QVariantMap onlyKeys(const QVariantMap& data, const QStringList& keys) {
    QVariantMap used;
    for (const QString& key : keys) {
        if (data.contains(key))
            used.insert(key, data.value(key));
    }
    return used;
}

std::optional<int> flagOrInteger(const QVariant& value) {
    if (value.type() == QVariant::Bool)
        return value.toBool() ? 1 : 0;
    return integerValue(value);
}

template <std::size_t N>
bool readValues(const QVariantMap& data, const KeyRange (&keys)[N], int command, MobileCommand& out,
                QString* error) {
    for (const KeyRange& range : keys) {
        const QString key = QLatin1String(range.key);
        if (!data.contains(key))
            continue;
        const std::optional<int> number = flagOrInteger(data.value(key));
        const int highest = (!out.classic && command == 19 && key == QLatin1String("Bright"))
                                ? kVoiceBrightMax
                                : range.highest;
        if (!number || *number < range.lowest || *number > highest) {
            *error = QStringLiteral("%1 is not an integer in %2..%3").arg(key).arg(range.lowest).arg(highest);
            return false;
        }
        out.values.insert(key, *number);
    }
    return true;
}

// A classic brightness factor: a number (or numeric text) from 0 to 1.
bool readClassicBright(const QVariantMap& data, MobileCommand& out, QString* error) {
    const QVariant value = data.value(QStringLiteral("Bright"));
    if (!value.isValid())
        return true;
    bool ok = false;
    double factor = 0.0;
    if (value.type() == QVariant::Double || value.type() == QVariant::Int ||
        value.type() == QVariant::LongLong)
        factor = value.toDouble(&ok);
    else if (value.type() == QVariant::String)
        factor = value.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(factor) || factor < 0.0 || factor > 1.0) {
        *error = QStringLiteral("Bright is not a factor in 0..1");
        return false;
    }
    out.classicBright = float(factor);
    return true;
}

template <std::size_t N>
bool readMask(const QVariantMap& data, const char* key, std::bitset<N>& bits, int shortest, QString* text,
              QString* error) {
    const QVariant value = data.value(QLatin1String(key));
    if (!value.isValid())
        return true;
    const QString mask = value.type() == QVariant::String ? value.toString() : QString();
    bool ok = mask.size() >= shortest && mask.size() <= int(N);
    for (int i = 0; ok && i < mask.size(); ++i) {
        const QChar c = mask.at(i);
        ok = c == QLatin1Char('0') || c == QLatin1Char('1');
        bits[std::size_t(i)] = c == QLatin1Char('1');
    }
    if (!ok) {
        bits.reset();
        *error = QStringLiteral("%1 is not a mask of %2 '0'/'1' characters").arg(QLatin1String(key)).arg(N);
        return false;
    }
    if (text)
        *text = mask;
    return true;
}

bool requires(const MobileCommand& c, std::initializer_list<const char*> keys, QString* error) {
    for (const char* key : keys) {
        if (!c.has(key)) {
            *error = QStringLiteral("command %1 needs %2").arg(c.command).arg(QLatin1String(key));
            return false;
        }
    }
    return true;
}

bool hasRequiredPlusKeys(const MobileCommand& c, QString* error) {
    switch (c.command) {
    case 0:
    case 2:
    case 17:
        return requires(c, {"LightMode", "ColorMode", "Speed"}, error)
        ;
    case 1:
    case 3:
        return requires(c, {"RColor", "GColor", "BColor"}, error)
        ;
    case 4:
    case 16:
        return requires(c, {"Bright", "ColorMode"}, error)
        ;
    case 5:
    case 11:
        return requires(c, {"Status"}, error)
        ;
    case 7:
        if (!requires(c, {"Status"}, error))
            return false;
        if (c.value("Status") != 1)
            return true;
        return requires(c, {"Volume"}, error) &&
               (c.boxes.none() || requires(c, {"ColorMode", "MusicMode"}, error));
    case 8:
        return requires(c, {"LightMode"}, error)
        ;
    case 12:
    case 14:
        return requires(c, {"Profile"}, error)
        ;
    default:
        return true;
    }
}

bool requiresClassicBright(const MobileCommand& c, QString* error) {
    if (c.classicBright >= 0.0f)
        return true;
    *error = QStringLiteral("command %1 needs Bright").arg(c.command);
    return false;
}

bool hasRequiredClassicKeys(const MobileCommand& c, QString* error) {
    switch (c.command) {
    case 1:
    case 4:
        return requires(c, {"LightMode", "isTurnOff"}, error)
        ;
    case 2:
        return requires(c, {"RColor", "GColor", "BColor", "LightMode", "isTurnOff"}, error)
        &&requiresClassicBright(c, error);
    case 6:
        return requires(c, {"FanSpeed"}, error)
        ;
    case 7:
        if (!requires(c, {"Status"}, error))
            return false;
        if (c.value("Status") != 1)
            return true;
        return requires(c, {"Volume"}, error) &&
               (c.boxes.none() || (requires(c, {"LightMode", "RColor", "GColor", "BColor"}, error) &&
                                   requiresClassicBright(c, error)));
    case 9:
        return requires(c, {"Profile"}, error)
        ;
    default:
        return true;
    }
}

// LED1 matters only where LEDs are chosen one by one.
bool needsLedMask(const MobileCommand& c) {
    if (c.classic)
        return false;
    if (c.command == 1 || c.command == 3)
        return true;
    return (c.command == 4 || c.command == 16) && c.value("ColorMode") != 1;
}

} // namespace

std::optional<MobileCommand> parseMobileCommand(const QVariantMap& object, QString* error) {
    MobileCommand c;
    const std::optional<int> command = integerValue(object.value(QStringLiteral("command")));
    if (!command) {
        *error = QStringLiteral("command is not an integer");
        return std::nullopt;
    }
    c.command = *command;
    const QVariant deviceType = object.value(QStringLiteral("DeviceType"));
    if (deviceType.isValid()) {
        const std::optional<int> type = integerValue(deviceType);
        if (!type) {
            *error = QStringLiteral("DeviceType is not an integer");
            return std::nullopt;
        }
        c.classic = *type == 0;
    }
    const QStringList keys = usedKeys(c.classic, c.command);
    const QVariant dataValue = object.value(QStringLiteral("Data"));
    if (!keys.isEmpty() && dataValue.isValid() && dataValue.type() != QVariant::Map) {
        *error = QStringLiteral("Data is not an object");
        return std::nullopt;
    }
    const QVariantMap data = onlyKeys(dataValue.toMap(), keys);

    std::bitset<kPlusPortCount> ports;
    if (!readMask(data, "BoxNum", c.boxes, kBoxCount, nullptr, error) ||
        !readMask(data, "FanNum", ports, c.classic ? kClassicPortCount : kPlusPortCount, nullptr, error) ||
        !readMask(data, "LED1", c.leds, kLedCount, &c.ledMask, error))
        return std::nullopt;
    c.ports = ports;

    const QVariant fanType = data.value(QStringLiteral("FanType"));
    if (fanType.isValid()) {
        if (fanType.type() == QVariant::String) {
            c.fanType = fanType.toString();
        } else if (const auto number = integerValue(fanType)) {
            c.fanType = QString::number(*number);
        } else {
            *error = QStringLiteral("FanType is neither text nor an integer");
            return std::nullopt;
        }
    }
    const bool valuesOk =
        c.classic ? readValues(data, kClassicKeys, c.command, c, error) && readClassicBright(data, c, error)
                  : readValues(data, kPlusKeys, c.command, c, error);
    if (!valuesOk)
        return std::nullopt;

    if (!c.classic && c.command == 18) {
        const QVariant voice = data.value(QStringLiteral("Voice"));
        if (voice.type() != QVariant::String) {
            *error = QStringLiteral("Voice is not text");
            return std::nullopt;
        }
        c.voice = voice.toString();
    }
    if (needsLedMask(c) && c.ledMask.isEmpty()) {
        *error = QStringLiteral("command %1 needs LED1").arg(c.command);
        return std::nullopt;
    }
    const bool complete = c.classic ? hasRequiredClassicKeys(c, error) : hasRequiredPlusKeys(c, error);
    if (!complete)
        return std::nullopt;
    return c;
}

} // namespace zyne
