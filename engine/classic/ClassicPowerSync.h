#pragma once

#include "ClassicFanState.h"

#include <QString>

namespace zyne {

// What the classic engine tells the power-supply companion application when a fan of the shown
// classic box changes, so the power supply's own lighting can follow.
enum class ClassicSyncKind { Light = 1, LightMode = 2, Colour = 3 };

// The framed message (one-line JSON, Base64, then "&") for fan 1 of the shown box.
QString classicSyncMessage(ClassicSyncKind kind, const ClassicFanState& firstFan);

} // namespace zyne
