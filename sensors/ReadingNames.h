#pragma once

#include <QString>

namespace zyne {

// The name the CPU-temperature logic knows a chip's reading by: "Core 0" -> "Core #0",
// "Package id 0" -> "CPU Package", "Tctl"/"Tdie" -> "CPU"; any other label is kept as it is.
QString readingNameForLabel(const QString& label);

// Whether a reading of this name is a CPU temperature ("Core #0".."Core #7", "CPU Package", ...).
bool isCpuTemperatureName(const QString& name);

} // namespace zyne
