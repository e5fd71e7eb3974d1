#pragma once

#include <string>

namespace xqcomm {

enum class DeviceKind { Hid, CdRom, Udisk };

struct DeviceName {
    DeviceKind kind = DeviceKind::Hid;
    int number = 0;
};

// Splits "xq_hid<n>", "xq_cdrom<d>" or "xq_udisk<d>" (prefix in any case; n a decimal number
// 1..255, d one digit 1..9). False for any other text, trailing characters included.
bool parseDeviceName(const char* text, DeviceName* name);

} // namespace xqcomm
