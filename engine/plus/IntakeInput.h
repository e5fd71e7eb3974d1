#pragma once

#include "FanRecords.h"

#include <QString>
#include <QStringList>

namespace zyne::intake {

// What reaches the engine's slots comes from the views, the mobile app and files: every value is
// checked here before it lands in a port record.

// A colour channel, clamped to 0..255. Text reads as the settings files read it: no number is 0.
int colourChannel(int value);
int colourChannel(const QString& text);
// A brightness factor, clamped to 0..1; NaN is full brightness, as the settings files read it.
float brightness(float value);

// A colour or brightness list shorter than the 13 entries of a record sets only the entries it
// holds; entries past the 13th are ignored.
int givenEntries(const QStringList& list);
// Sets RColor, GColor, BColor and Bright from the lists, each up to its own length.
void applyColourLists(RainbowFanState& fan, const QStringList& red, const QStringList& green,
                      const QStringList& blue, const QStringList& bright);
void applyBrightnessList(RainbowFanState& fan, const QStringList& bright);

// LED i is selected when character i of the text is '1'; a short text selects nothing past its end.
bool selects(const QString& selection, int led);
// The stored selection with the characters the text holds replaced ('1' selected, anything else
// not); a short text leaves the rest as stored, so the result always has 12 '0'/'1' characters.
QString mergedSelection(const QString& stored, const QString& selection);

} // namespace zyne::intake
