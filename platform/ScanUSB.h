#pragma once

#include "HidBackend.h"

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace zyne {

// Counts present HID interfaces by vendor and product id, in one reading of the device list.
class ScanUSB {
public:
    explicit ScanUSB(std::vector<HidDeviceInfo> listed) : m_listed(std::move(listed)) {}
    int count(std::uint16_t vendorId, std::uint16_t productId);
    // Every product of the vendor with its interface count, from one walk of the device list.
    std::map<std::uint16_t, int> countByProduct(std::uint16_t vendorId);

private:
    std::vector<HidDeviceInfo> m_listed;
};

} // namespace zyne
