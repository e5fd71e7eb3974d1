#include "ScanUSB.h"

#include <algorithm>

namespace zyne {

int ScanUSB::count(std::uint16_t vendorId, std::uint16_t productId) {
    return static_cast<int>(std::count_if(m_listed.begin(), m_listed.end(), [&](const HidDeviceInfo& info) {
        return info.vendorId == vendorId && info.productId == productId;
    }));
}

std::map<std::uint16_t, int> ScanUSB::countByProduct(std::uint16_t vendorId) {
    std::map<std::uint16_t, int> counts;
    for (const HidDeviceInfo& info : m_listed) {
        if (info.vendorId == vendorId)
            ++counts[info.productId];
    }
    return counts;
}

} // namespace zyne
