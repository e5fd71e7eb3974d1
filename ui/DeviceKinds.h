#pragma once

#include <QPoint>
#include <QString>
#include <QVector>

// The device kinds a port can hold, their pictures and where their 12 LEDs sit. No widgets here.
namespace zyne::ui {

constexpr int kDeviceKindCount = 8;
constexpr int kBoxKindClassic = 0;
constexpr int kBoxKindPlus = 1;
constexpr int kBoxKindAwt = 2;
constexpr int kBoxKindCoupler = 3;

struct DeviceKind {
    const char* name;    // shown in the selector, never translated
    const char* icon;    // selector icon under Images/
    const char* body;    // picture behind the LEDs
    const char* palette; // colour wheel the user picks from
    int pickRadius;      // how far from the palette centre a press still picks a colour
};

const DeviceKind& deviceKind(int kind);
bool isFanKind(int kind);
// Kinds the selector offers for a box kind, in order; empty for any other box kind.
QVector<int> offeredKinds(int boxKind);
// The kind named by a selector entry, -1 when no kind has that name.
int kindNamed(const QString& name);

// Centre of the palette inside a device view, and the centre of LED i for a kind.
QPoint paletteCentre();
QPoint ledCentre(int kind, int led);

} // namespace zyne::ui
