#pragma once

#include "FanRecords.h"

#include <QHash>
#include <QString>
#include <QVariantMap>

#include <bitset>
#include <optional>

namespace zyne {

constexpr int kClassicPortCount = 3;

// One command of the mobile app, checked: every mask has its length and only '0'/'1', every
// number is an integer in its key's range, and every key the command needs is there.
struct MobileCommand {
    int command = -1;
    bool classic = false;              // DeviceType 0
    std::bitset<kBoxCount> boxes;      // BoxNum; none when absent
    std::bitset<kPlusPortCount> ports; // FanNum; none when absent
    std::bitset<kLedCount> leds;       // LED1
    QString ledMask;                   // LED1 as sent, "" when absent
    std::optional<QString> fanType;    // FanType filter text
    QHash<QString, int> values;        // the integer keys of Data that were sent
    QString voice;                     // Voice (command 18)
    // Bright of the classic set: the factor 0..1 the classic status record reports; -1 when absent.
    float classicBright = -1.0f;

    bool has(const char* key) const { return values.contains(QLatin1String(key)); }
    int value(const char* key, int fallback = 0) const { return values.value(QLatin1String(key), fallback); }
    // The FanType filter: "1" selects ports of type 1, anything else ports of any other type.
    bool passesFanType(int portFanType) const {
        const bool wantsTypeOne = fanType && *fanType == QLatin1String("1");
        return wantsTypeOne == (portFanType == 1);
    }
};

// Checks a decoded command object. nullopt, with the reason in *error, when anything is off.
std::optional<MobileCommand> parseMobileCommand(const QVariantMap& object, QString* error);

} // namespace zyne
