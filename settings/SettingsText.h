#pragma once

#include <QString>
#include <QStringList>

namespace zyne {

// Conversions between the text of INI values and record fields. Values are decimal text, flags
// "0"/"1", lists comma-separated without spaces.

// Decimal integer; text that does not parse (empty, garbage, out of int range) gives 0.
int decimalValue(const QString& text);
// True for any non-zero integer.
bool flagValue(const QString& text);
// value when it lies in [lowest, highest], else fallback.
int valueOr(int value, int lowest, int highest, int fallback);
// Brightness factor 0..1: missing or garbage text gives 0, NaN gives 1 (full), out-of-range values
// are clamped, those too large or too small for a double included ("1e300", "inf", "-1e999").
float brightnessValue(const QString& text);
// Shortest general notation with 6 significant digits: 0.5 -> "0.5", 1 -> "1".
QString brightnessText(float brightness);
QString flagText(bool flag);

// Entries 0..count-1 of a list split at "," keeping empty parts. Entries past the end of a
// short list are taken from the same position of fallbackList; surplus entries are ignored.
// An empty text stands for a missing value, so every entry is empty (and reads as 0).
QStringList listEntries(const QString& text, const QString& fallbackList, int count);

template <typename Container, typename ToText> QString joinedList(const Container& values, ToText toText) {
    QStringList parts;
    for (const auto& value : values)
        parts << toText(value);
    return parts.join(QLatin1Char(','));
}

} // namespace zyne
