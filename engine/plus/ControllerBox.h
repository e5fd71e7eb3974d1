#pragma once

#include "FanRecords.h"
#include "HidBackend.h"

#include <array>
#include <memory>

namespace zyne {

enum PlusBoxType { BoxAbsent = -1, BoxPlus = 1, BoxAwt = 2 };

// One controller-box slot of the Plus engine.
struct ControllerBox {
    std::unique_ptr<HidDevice> handle;
    bool isConnected = false;
    int Profile = 1;
    int currentProfile = 1;
    std::array<RainbowFanState, kPlusPortCount> rainbowFan;
    std::array<AwtFanState, kAwtFanCount> awtFan;
    int boxType = BoxAbsent;

    // How the box has answered lately, so a dead or mute box neither floods the log nor holds up
    // the GUI thread on every report. Reset when the box is opened again.
    int unansweredReports = 0;
    bool writesFailing = false;

    bool isPlusConnected() const { return isConnected && boxType == BoxPlus; }
};

} // namespace zyne
