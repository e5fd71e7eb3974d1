#include "SettingsText.h"

#include <algorithm>
#include <cmath>

namespace zyne {

int decimalValue(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

bool flagValue(const QString& text) {
    return decimalValue(text) != 0;
}

int valueOr(int value, int lowest, int highest, int fallback) {
    return value >= lowest && value <= highest ? value : fallback;
}

float brightnessValue(const QString& text) {
    bool ok = false;
    const float value = text.toFloat(&ok);
    if (!ok)
        return 0.0f;
    if (std::isnan(value))
        return 1.0f;
    return std::clamp(value, 0.0f, 1.0f);
}

QString brightnessText(float brightness) {
    return QString::number(double(brightness), 'g', 6);
}

QString flagText(bool flag) {
    return flag ? QStringLiteral("1") : QStringLiteral("0");
}

namespace {
// Splits without building more than count parts, so a huge value costs no more than a short one.
QStringList firstParts(const QString& text, int count) {
    QStringList parts;
    int start = 0;
    while (parts.size() < count) {
        const int comma = text.indexOf(QLatin1Char(','), start);
        if (comma < 0) {
            parts << text.mid(start);
            break;
        }
        parts << text.mid(start, comma - start);
        start = comma + 1;
    }
    return parts;
}
} // namespace

QStringList listEntries(const QString& text, const QString& fallbackList, int count) {
    QStringList entries;
    if (text.isEmpty()) {
        for (int i = 0; i < count; ++i)
            entries << QString();
        return entries;
    }
    entries = firstParts(text, count);
    if (entries.size() < count) {
        const QStringList fallback = firstParts(fallbackList, count);
        for (int i = entries.size(); i < count; ++i)
            entries << fallback.value(i);
    }
    return entries;
}

} // namespace zyne
