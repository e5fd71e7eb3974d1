#pragma once

#include "BoxReplyWatch.h"
#include "ClassicFanState.h"
#include "HidBackend.h"

#include <QLoggingCategory>

#include <memory>

Q_DECLARE_LOGGING_CATEGORY(lcClassic)

namespace zyne {

// The box type a classic box takes once it answered the classic probe; slots that never did keep
// what Device.ini says (1 by default).
constexpr int kClassicBoxFound = 0;

// One classic controller-box slot.
struct ClassicBox {
    std::unique_ptr<HidDevice> handle;
    bool isConnected = false;
    int Profile = 1;
    int currentProfile = 1;
    ClassicFans fans;
    int boxType = 1;
    // Reset when the box is opened again.
    BoxReplyWatch replies{lcClassic};
};

} // namespace zyne
