#pragma once

#include "HidBackend.h"

namespace zyne {

// Talks to real devices through hidapi's hidraw backend.
class HidapiBackend : public HidBackend {
public:
    HidapiBackend();

    std::unique_ptr<HidDevice> open(std::uint16_t vendorId, std::uint16_t productId) override;
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId = 0, std::uint16_t productId = 0) override;
};

} // namespace zyne
