#pragma once

#include <cstdint>

namespace zyne {

// Counts present HID interfaces by vendor and product id.
class ScanUSB {
public:
    int count(std::uint16_t vendorId, std::uint16_t productId);
};

} // namespace zyne
