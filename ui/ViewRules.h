#pragma once

#include "FanRecords.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <array>

// What the views decide without any widget: picker cycles, colour-mode rules, slider captions,
// the LED ring and the carousel slots. Kept free of Qt objects so it is tested alone.
namespace zyne::ui {

constexpr int kPortViewCount = 5;
constexpr int kBoxButtonCount = 16;

enum ColorMode { ColorRgb = 0, ColorSingle = 1, ColorOff = 2 };
enum LightModeValue { ModeRadar = 2, ModeWhirl = 5, ModeCopy = 7, ModeTemperature = 14 };
enum SpeedMode { SpeedCustom = 0, SpeedSilent = 1, SpeedPerformance = 2 };

// Next light mode the picker offers; port 0 never offers Copy.
int stepLightMode(int port, int lightMode, bool right);
bool isOfferedLightMode(int port, int lightMode);
bool isMusicMode(int lightMode);

// The colour mode a picker arrow leads to for the given light mode (Copy follows port 0's mode).
int stepColorMode(int effectiveLightMode, int colorMode, bool right);
// Whether the arrows can leave the picker at this colour mode (Whirl stays in RGB, Radar in Single).
bool isOfferedColorMode(int effectiveLightMode, int currentColorMode, int colorMode);
// The LED selection after entering a colour mode; unchanged text when the mode leaves it alone.
QString selectionForColorMode(int newColorMode, const QString& selectLED, bool viaRightArrow);

int stepLightSpeed(int lightSpeed, bool right);

// Caption and speed mode of a fan-speed slider: the percent slider (0..5) runs from 50 % in steps of
// 10, the RPM slider (0..10) from 0 %. Its ends are the silent and performance presets.
struct SliderCaption {
    int speedMode;
    QString text;
};
SliderCaption percentSliderCaption(int value, const QString& silent, const QString& performance);
SliderCaption rpmSliderCaption(int value, const QString& silent, const QString& performance);

// Classic fan-speed label for slider level 0..5: with PWM the levels run from 50 % in steps of 10
// (the temperature curve's floor), without it from 0 % in steps of 20.
SliderCaption classicSpeedCaption(int value, bool pwm, const QString& silent, const QString& performance);
// Classic brightness: the slider's left end is full brightness, its right end dark.
float classicBrightFromSlider(int value);
int classicSliderFromBright(float bright);
// Classic light modes the view offers: 0 static colour, 1 colour cycle, 2 blink.
int classicLightMode(bool rgbChecked, bool blinkChecked);

// The coupler's light-mode buttons, in their order on the view. With none checked the picked colour
// is lit steadily; RGB runs the colour cycle, Flash pulses and Blink blinks the picked colour.
enum CouplerButton { CouplerNone = -1, CouplerRgb = 0, CouplerFlash = 1, CouplerBlink = 2 };
constexpr int kCouplerButtonCount = 3;
int couplerLightMode(int button);
// The button a port's light mode shows as checked; CouplerNone for a mode the buttons don't name.
int couplerButtonFor(int lightMode);

// "TEMP:30°C / 86°F" without the translated word.
QString temperatureSuffix(int celsius);

// LED buttons grow when checked; they stay centred on their place.
int ledButtonSize(bool checked);

// Box-bar scroll positions after an arrow press.
int boxBarPositionAfterArrow(int position, bool left);

// The five carousel slot rectangles; slot 1 is the front.
QRect carouselSlotRect(int slot);
int slotAfterRotation(int slot, bool clockwise);
// Order in which views are raised before a rotation, by their current slot: front last.
std::array<int, kPortViewCount> raiseOrder(bool clockwise);

// The brightness factor text sent to the engine: up to 6 significant digits.
QString factorText(float factor);

// Text colour that stays readable on an LED of this colour.
QString buttonTextColor(int red, int green, int blue);

// The 12-character LED selection with one LED toggled; a malformed text starts from none.
QString toggledSelection(const QString& selectLED, int led, bool on);
bool noLedSelected(const QString& selectLED);
// The selection whose LED i is on when digit i of the number, written in base 2 and left-padded
// with '0' to 12 digits, is '1'; empty when the number needs more than 12 digits.
QString selectionFromBits(quint32 bits);

} // namespace zyne::ui
