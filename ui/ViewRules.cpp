#include "ViewRules.h"

#include <algorithm>
#include <cmath>

namespace zyne::ui {

namespace {
// Modes 11..13, 16 and 20 come only from the mobile app, effects or profiles.
constexpr std::array<int, 15> kFirstPortCycle = {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 14, 15, 17, 18, 19};
constexpr std::array<int, 16> kPortCycle = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 14, 15, 17, 18, 19};
// Light modes the coupler runs: steady, then its buttons in order (Cycle, Breath, Blink).
constexpr int kCouplerSteadyMode = 6;
constexpr std::array<int, kCouplerButtonCount> kCouplerModes = {1, 4, 3};

template <std::size_t N> int stepThrough(const std::array<int, N>& cycle, int mode, bool right) {
    const auto* found = std::find(cycle.begin(), cycle.end(), mode);
    if (found == cycle.end()) {
        // A mode the picker never offers (set by the app or an effect): step from the next offered one.
        const auto* next = std::find_if(cycle.begin(), cycle.end(), [mode](int m) { return m > mode; });
        if (right)
            return next == cycle.end() ? cycle.front() : *next;
        return next == cycle.begin() ? cycle.back() : *(next - 1);
    }
    const auto index = static_cast<std::size_t>(found - cycle.begin());
    return right ? cycle[(index + 1) % N] : cycle[(index + N - 1) % N];
}

const QString kNoLeds(kLedCount, QLatin1Char('0'));
const QString kAllLeds(kLedCount, QLatin1Char('1'));

QString sliderText(int percent) {
    return QString::number(percent) + QStringLiteral(" %");
}

SliderCaption caption(int value, int top, int percent, const QString& silent, const QString& performance,
                      const QString& gap = QStringLiteral(" ")) {
    if (value <= 0)
        return {SpeedSilent, silent + gap + sliderText(percent)};
    if (value >= top)
        return {SpeedPerformance, performance + QLatin1Char('\n') + sliderText(100)};
    return {SpeedCustom, sliderText(percent)};
}
} // namespace

int stepLightMode(int port, int lightMode, bool right) {
    return port == 0 ? stepThrough(kFirstPortCycle, lightMode, right)
                     : stepThrough(kPortCycle, lightMode, right);
}

bool isOfferedLightMode(int port, int lightMode) {
    return port == 0
               ? std::find(kFirstPortCycle.begin(), kFirstPortCycle.end(), lightMode) != kFirstPortCycle.end()
               : std::find(kPortCycle.begin(), kPortCycle.end(), lightMode) != kPortCycle.end();
}

bool isMusicMode(int lightMode) {
    return lightMode >= 8 && lightMode <= 10;
}

int stepColorMode(int mode, int colorMode, bool right) {
    switch (mode) {
    case 0:
    case 1:
        return ColorOff;
    case ModeRadar:
        return ColorSingle;
    case ModeWhirl:
        return ColorRgb;
    case 3:
    case 4:
    case 6:
    case 8:
    case 9:
    case 10:
        return colorMode == ColorRgb ? ColorSingle : ColorRgb;
    default:
        break;
    }
    if ((mode >= 11 && mode <= 14) || mode > 15)
        return right ? ColorRgb : colorMode;
    return colorMode;
}

bool isOfferedColorMode(int mode, int currentColorMode, int colorMode) {
    const int right = stepColorMode(mode, currentColorMode, true);
    if (colorMode == right || colorMode == stepColorMode(mode, currentColorMode, false))
        return true;
    // A pair the arrows toggle between also offers where it stands.
    return colorMode == currentColorMode && stepColorMode(mode, right, true) == currentColorMode;
}

QString selectionForColorMode(int newColorMode, const QString& selectLED, bool viaRightArrow) {
    if (newColorMode == ColorSingle)
        return kAllLeds;
    if (newColorMode == ColorOff || (newColorMode == ColorRgb && viaRightArrow))
        return kNoLeds;
    return selectLED;
}

int stepLightSpeed(int lightSpeed, bool right) {
    if (right)
        return lightSpeed < 1 ? 3 : lightSpeed - 1;
    return lightSpeed > 2 ? 0 : lightSpeed + 1;
}

SliderCaption percentSliderCaption(int value, const QString& silent, const QString& performance) {
    return caption(value, 5, 50 + 10 * std::clamp(value, 0, 5), silent, performance);
}

SliderCaption rpmSliderCaption(int value, const QString& silent, const QString& performance) {
    return caption(value, 10, 10 * std::clamp(value, 0, 10), silent, performance);
}

SliderCaption classicSpeedCaption(int value, bool pwm, const QString& silent, const QString& performance) {
    const int level = std::clamp(value, 0, 5);
    const int percent = pwm ? 50 + 10 * level : 20 * level;
    return caption(level, 5, percent, silent, performance, QStringLiteral("  "));
}

float classicBrightFromSlider(int value) {
    return static_cast<float>(100 - std::clamp(value, 0, 100)) / 100.0F;
}

int classicSliderFromBright(float bright) {
    return 100 - std::clamp(static_cast<int>(std::lround(bright * 100.0F)), 0, 100);
}

int classicLightMode(bool rgbChecked, bool blinkChecked) {
    if (blinkChecked)
        return 2;
    return rgbChecked ? 1 : 0;
}

int couplerLightMode(int button) {
    if (button < 0 || button >= kCouplerButtonCount)
        return kCouplerSteadyMode;
    return kCouplerModes[static_cast<std::size_t>(button)];
}

int couplerButtonFor(int lightMode) {
    for (int b = 0; b < kCouplerButtonCount; ++b) {
        if (kCouplerModes[static_cast<std::size_t>(b)] == lightMode)
            return b;
    }
    return CouplerNone;
}

QString temperatureSuffix(int celsius) {
    const int fahrenheit = celsius * 9 / 5 + 32;
    return QStringLiteral(":%1\u00B0C / %2\u00B0F").arg(celsius).arg(fahrenheit);
}

int ledButtonSize(bool checked) {
    return checked ? 34 : 20;
}

int boxBarPositionAfterArrow(int position, bool left) {
    constexpr int kStep = 45;
    constexpr int kLastPosition = 495; // content 713 wide, viewport 218
    if (left)
        return position - 41 < 0 ? 0 : position - kStep;
    return std::min(position + kStep, kLastPosition);
}

QRect carouselSlotRect(int slot) {
    static constexpr std::array<QPoint, kPortViewCount> kCorners = {
        QPoint(8, 110), QPoint(339, 149), QPoint(670, 111), QPoint(504, 74), QPoint(172, 74)};
    const int index = std::clamp(slot, 0, kPortViewCount - 1);
    return {kCorners[static_cast<std::size_t>(index)], QSize(322, 427)};
}

int slotAfterRotation(int slot, bool clockwise) {
    return clockwise ? (slot + kPortViewCount - 1) % kPortViewCount : (slot + 1) % kPortViewCount;
}

std::array<int, kPortViewCount> raiseOrder(bool clockwise) {
    if (clockwise)
        return {4, 0, 3, 2, 1};
    return {3, 2, 4, 0, 1};
}

QString factorText(float factor) {
    return QString::number(static_cast<double>(factor), 'g', 6);
}

QString buttonTextColor(int red, int green, int blue) {
    const int luma = (red * 299 + green * 587 + blue * 114) / 1000;
    return luma > 140 ? QStringLiteral("black") : QStringLiteral("white");
}

QString toggledSelection(const QString& selectLED, int led, bool on) {
    QString result = selectLED.size() == kLedCount ? selectLED : kNoLeds;
    if (led >= 0 && led < kLedCount)
        result[led] = on ? QLatin1Char('1') : QLatin1Char('0');
    return result;
}

bool noLedSelected(const QString& selectLED) {
    return !selectLED.contains(QLatin1Char('1'));
}

QString selectionFromBits(quint32 bits) {
    if (bits >> kLedCount != 0)
        return QString();
    return QString::number(bits, 2).rightJustified(kLedCount, QLatin1Char('0'));
}

} // namespace zyne::ui
