#include "ProcessValues.h"

#include <algorithm>
#include <atomic>

namespace zyne {

namespace {
std::atomic<int> power{0};
std::atomic<int> mobileLevel{0};
} // namespace

int powerType() {
    return power.load(std::memory_order_relaxed);
}

void setPowerType(int type) {
    power.store(type, std::memory_order_relaxed);
}

int mobileMusicLevel() {
    return mobileLevel.load(std::memory_order_relaxed);
}

void setMobileMusicLevel(int level) {
    mobileLevel.store(std::clamp(level, 0, 100), std::memory_order_relaxed);
}

} // namespace zyne
