#include "SettingsText.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <optional>

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

namespace {
// "1e999" and "-1e-999" fail to parse only for being out of range; they still say which end they are at.
std::optional<double> outOfRangeNumber(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^\\s*([+-]?)(\\d+\\.?\\d*|\\.\\d+)[eE]([+-]?)\\d+\\s*$"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const bool negative = match.captured(1) == QLatin1String("-");
    const bool tiny = match.captured(3) == QLatin1String("-");
    return tiny ? 0.0 : (negative ? -HUGE_VAL : HUGE_VAL);
}
} // namespace

float brightnessValue(const QString& text) {
    bool ok = false;
    double value = text.toDouble(&ok);
    if (!ok) {
        const auto outOfRange = outOfRangeNumber(text);
        if (!outOfRange)
            return 0.0f;
        value = *outOfRange;
    }
    if (std::isnan(value))
        return 1.0f;
    return static_cast<float>(std::clamp(value, 0.0, 1.0));
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
