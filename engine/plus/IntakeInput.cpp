#include "IntakeInput.h"

#include "SettingsText.h"

#include <algorithm>
#include <cmath>

namespace zyne::intake {

namespace {
constexpr int kMaxChannel = 255;
} // namespace

int colourChannel(int value) {
    return std::clamp(value, 0, kMaxChannel);
}

int colourChannel(const QString& text) {
    return colourChannel(decimalValue(text));
}

float brightness(float value) {
    if (std::isnan(value))
        return 1.0f;
    return std::clamp(value, 0.0f, 1.0f);
}

int givenEntries(const QStringList& list) {
    return std::min<int>(list.size(), kColourEntries);
}

void applyColourLists(RainbowFanState& fan, const QStringList& red, const QStringList& green,
                      const QStringList& blue, const QStringList& bright) {
    for (int i = 0; i < givenEntries(red); ++i)
        fan.RColor[static_cast<std::size_t>(i)] = colourChannel(red.at(i));
    for (int i = 0; i < givenEntries(green); ++i)
        fan.GColor[static_cast<std::size_t>(i)] = colourChannel(green.at(i));
    for (int i = 0; i < givenEntries(blue); ++i)
        fan.BColor[static_cast<std::size_t>(i)] = colourChannel(blue.at(i));
    applyBrightnessList(fan, bright);
}

void applyBrightnessList(RainbowFanState& fan, const QStringList& bright) {
    for (int i = 0; i < givenEntries(bright); ++i)
        fan.Bright[static_cast<std::size_t>(i)] = brightnessValue(bright.at(i));
}

bool selects(const QString& selection, int led) {
    return led >= 0 && led < kLedCount && led < selection.size() && selection.at(led) == QLatin1Char('1');
}

QString mergedSelection(const QString& stored, const QString& selection) {
    QString merged(kLedCount, QLatin1Char('0'));
    for (int i = 0; i < kLedCount; ++i) {
        const bool on = i < selection.size() ? selection.at(i) == QLatin1Char('1')
                                             : i < stored.size() && stored.at(i) == QLatin1Char('1');
        if (on)
            merged[i] = QLatin1Char('1');
    }
    return merged;
}

} // namespace zyne::intake
