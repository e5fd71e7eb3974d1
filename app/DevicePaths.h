#pragma once

#include <QString>

namespace zyne {

constexpr int kNoBox = 255;

// Device interface names of the form \\?\HID#VID_264A&PID_1FA5#... mapped to controller boxes.
// The id token is compared exactly, as the system writes it (upper case).
int plusBoxFromDevicePath(const QString& path);
int classicBoxFromDevicePath(const QString& path);
bool isAwtDevicePath(const QString& path);

} // namespace zyne
