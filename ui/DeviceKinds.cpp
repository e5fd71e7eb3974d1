#include "DeviceKinds.h"

#include "ViewRules.h"

#include <array>
#include <cmath>

namespace zyne::ui {

namespace {
const std::array<DeviceKind, kDeviceKindCount> kKinds = {{
    {"Zyne Plus", "fan_Icon.png", "fan_body.png", "palette.png", 72},
    {"Brook Zyne RGB", "AIOPlus/AIO_Icon.png", "AIOPlus/mainBody.png", "AIOPlus/palette.png", 72},
    {"QV360 Plus", "RadiatorPlus/RadiatorPlus_Icon.png", "RadiatorPlus/mainBody.png", "palette.png", 64},
    {"QP17-D5 Plus", "ReservoirPlus/ReservoirPlus_Icon.png", "AIOPlus/mainBody.png", "palette.png", 72},
    {"K7 Plus", "K7Plus/K7_Icon.png", "K7Plus/mainBody.png", "palette.png", 72},
    {"GX Plus", "GXPlus/GX_Icon.png", "GXPlus/mainBody.png", "GXPlus/GX_Palette.png", 72},
    {"Glint Plus", "GlintPlus/GlintIcon.png", "GlintPlus/mainBody.png", "palette.png", 72},
    {"Vela Plus", "fan_Icon.png", "fan_body.png", "palette.png", 72},
}};

constexpr double kPi = 3.14159265358979323846;

QPoint onEllipse(int led, double rx, double ry, double startDegrees, double stepDegrees) {
    const double angle = (startDegrees - stepDegrees * led) * kPi / 180.0;
    const QPoint c = paletteCentre();
    return {c.x() + static_cast<int>(std::lround(rx * std::cos(angle))),
            c.y() - static_cast<int>(std::lround(ry * std::sin(angle)))};
}
} // namespace

const DeviceKind& deviceKind(int kind) {
    return kKinds[static_cast<std::size_t>(kind >= 0 && kind < kDeviceKindCount ? kind : 0)];
}

bool isFanKind(int kind) {
    return kind == 0 || kind == 7;
}

QVector<int> offeredKinds(int boxKind) {
    if (boxKind == kBoxKindPlus)
        return {0, 1, 2, 3, 4, 5, 6};
    if (boxKind == kBoxKindAwt)
        return {0, 7};
    return {};
}

int kindNamed(const QString& name) {
    for (int k = 0; k < kDeviceKindCount; ++k) {
        if (name == QLatin1String(kKinds[static_cast<std::size_t>(k)].name))
            return k;
    }
    return -1;
}

QPoint paletteCentre() {
    return {135, 221};
}

QPoint ledCentre(int kind, int led) {
    const QPoint c = paletteCentre();
    switch (kind) {
    case 1: // pump head: a tighter ring
        return onEllipse(led, 80, 80, 60, 30);
    case 2: { // radiator: two rows of six along its fans
        const int column = led % 6;
        const int x = c.x() - 90 + 36 * column;
        return {x, led < 6 ? c.y() - 92 : c.y() + 92};
    }
    case 3: { // reservoir: a column down each side
        const int row = led % 6;
        return {led < 6 ? c.x() - 92 : c.x() + 92, c.y() - 85 + 34 * row};
    }
    case 4: // K7 case: a wide oval
        return onEllipse(led, 98, 86, 60, 30);
    case 6: // Glint strip: a half ring above the palette
        return onEllipse(led, 96, 96, 180, 180.0 / 11);
    default: // fans and GX: the ring
        return onEllipse(led, 88, 88, 60, 30);
    }
}

} // namespace zyne::ui
