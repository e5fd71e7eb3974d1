#include "FanCurve.h"

namespace zyne {

int curveCap(int t) {
    if (t < 42)
        return 30;
    if (t >= 60)
        return 100;
    return 40 + 10 * ((t - 42) / 3);
}

} // namespace zyne
