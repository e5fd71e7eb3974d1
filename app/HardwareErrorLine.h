#pragma once

#include "FanRecords.h"

#include <array>

namespace zyne {

// How many devices of each kind answer at each box index: the operating system's device list for
// Plus and classic boxes, the AWT presence string for the AWT controller.
struct DeviceCountsPerBox {
    std::array<int, kBoxCount> plus{};
    std::array<int, kBoxCount> classic{};
    std::array<int, kBoxCount> awt{};
};

// Hardware error of the main view's error line.
enum HardwareError {
    NoControllerError = 0,
    ClassicOrAwtClashError = 1,
    PlusClashError = 2,
    // A controller is listed but this user may not open it (no udev rule).
    AccessRefusedError = 4
};

struct ErrorLineVerdict {
    bool hide = false;
    int hardwareError = NoControllerError;
};

// The first box index with any device decides: exactly one device there (or the AWT controller)
// hides the error line, two Plus devices on one index or two classic ones name the clash; no device
// anywhere means no controller is connected.
ErrorLineVerdict errorLineAfterAwtCheck(const DeviceCountsPerBox& counts);

} // namespace zyne
