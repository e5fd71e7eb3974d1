#include "ScanUSB.h"

#include "HidBackend.h"

namespace zyne {

int ScanUSB::count(std::uint16_t vendorId, std::uint16_t productId) {
    return static_cast<int>(hidBackend().enumerate(vendorId, productId).size());
}

std::map<std::uint16_t, int> ScanUSB::countByProduct(std::uint16_t vendorId) {
    std::map<std::uint16_t, int> counts;
    for (const HidDeviceInfo& info : hidBackend().enumerate(vendorId, 0))
        ++counts[info.productId];
    return counts;
}

} // namespace zyne
