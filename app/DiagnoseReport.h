#pragma once

#include <QString>

namespace zyne {

// The plain-text report of --diagnose: versions, HID backend, every device the program drives and
// whether it can be opened, the AWT chip's slots, the udev rule, the settings folder and log file,
// autostart, the mobile app server, the sound server and the hwmon chips. Reads only: no device
// gets a report, no file is written, a running instance is left alone.
QString diagnoseReport();

} // namespace zyne
