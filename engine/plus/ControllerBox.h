#pragma once

#include "BoxReplyWatch.h"
#include "FanRecords.h"
#include "PlusBoxWorker.h"

#include <array>
#include <memory>

namespace zyne {

enum PlusBoxType { BoxAbsent = -1, BoxPlus = 1, BoxAwt = 2 };

// One controller-box slot of the Plus engine.
struct ControllerBox {
    // Owns the open device of a Plus box and runs its exchanges; null while none is open.
    std::unique_ptr<PlusBoxWorker> worker;
    bool isConnected = false;
    int Profile = 1;
    int currentProfile = 1;
    std::array<RainbowFanState, kPlusPortCount> rainbowFan;
    std::array<AwtFanState, kAwtFanCount> awtFan;
    int boxType = BoxAbsent;
    int awtHandle = -1; // entry of the AWT handle table the box answers on

    // How the box has answered, as of the last result taken in; reset when the box is opened again.
    BoxReplyWatch replies;

    bool isPlusConnected() const { return isConnected && boxType == BoxPlus; }
};

} // namespace zyne
