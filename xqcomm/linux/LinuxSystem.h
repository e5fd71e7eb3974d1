#pragma once

// The library on Linux: sysfs for the device lists, hidraw feature-report ioctls for the chip's
// HID interface and SG_IO on /dev/sgN for its disk personalities (no CAP_SYS_RAWIO needed there).

#include "System.h"

namespace xqcomm {

class LinuxSystem : public System {
public:
    std::vector<HidInterface> hidInterfaces() override;
    std::unique_ptr<HidChannel> openHid(const HidInterface& interface) override;
    std::vector<StorageDevice> storageDevices() override;
    std::unique_ptr<ScsiChannel> openScsi(const std::string& node) override;
    Clock& clock() override;
};

} // namespace xqcomm
