#pragma once

#include <cstdint>

namespace zyne {

// Counts present HID interfaces by vendor and product id.
class ScanUSB {
public:
    int count(std::uint16_t vendorId, std::uint16_t productId);

    std::uint16_t vendorId() const { return m_vendorId; }
    std::uint16_t productId() const { return m_productId; }

private:
    std::uint16_t m_vendorId = 0x264A;
    std::uint16_t m_productId = 0x1009;
};

} // namespace zyne
