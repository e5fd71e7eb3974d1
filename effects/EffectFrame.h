#pragma once

#include "FanRecords.h"

#include <array>

namespace zyne {

// One picture of a played effect: 12 LED colours and their brightness in percent.
struct EffectFrame {
    std::array<int, kLedCount> red{};
    std::array<int, kLedCount> green{};
    std::array<int, kLedCount> blue{};
    std::array<int, kLedCount> brightPercent{};
};

} // namespace zyne
