#pragma once

#include <cstdint>
#include <map>

namespace zyne {

// Counts present HID interfaces by vendor and product id.
class ScanUSB {
public:
    int count(std::uint16_t vendorId, std::uint16_t productId);
    // Every product of the vendor with its interface count, from one walk of the device list.
    std::map<std::uint16_t, int> countByProduct(std::uint16_t vendorId);
};

} // namespace zyne
