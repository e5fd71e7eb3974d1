#include "ProcessValues.h"

#include <algorithm>
#include <atomic>

namespace zyne {

namespace {
std::atomic<int> mobileLevel{0};
} // namespace

int mobileMusicLevel() {
    return mobileLevel.load(std::memory_order_relaxed);
}

void setMobileMusicLevel(int level) {
    mobileLevel.store(std::clamp(level, 0, 100), std::memory_order_relaxed);
}

} // namespace zyne
