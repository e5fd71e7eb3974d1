#include "HardwareErrorLine.h"

namespace zyne {

ErrorLineVerdict errorLineAfterAwtCheck(const DeviceCountsPerBox& counts) {
    for (std::size_t box = 0; box < counts.plus.size(); ++box) {
        const int plus = counts.plus[box];
        const int classic = counts.classic[box];
        const int awt = counts.awt[box];
        if (plus == 1 || classic == 1 || awt == 1)
            return {true, NoControllerError};
        if (plus > 1)
            return {false, PlusClashError};
        if (classic > 1 || awt > 1)
            return {false, ClassicOrAwtClashError};
    }
    return {false, NoControllerError};
}

} // namespace zyne
