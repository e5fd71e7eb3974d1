#include "LevelSmoothing.h"

namespace zyne {

int smoothLevel(int smoothed, int level) {
    const double p = smoothed;
    const double x = level;
    if (p > 0 && p < x)
        return static_cast<int>(p + (x - p) * 0.5);
    if (x < p && p <= 100)
        return static_cast<int>(p - (p - x) * 0.5);
    return level;
}

} // namespace zyne
