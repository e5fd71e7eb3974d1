#pragma once

#include "NodeAccess.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace zyne {

// One of the devices this program drives, as the system lists it.
struct MakerDevice {
    ListedNode node;
    // "Plus box 3", "classic box 1", "power supply", "keyboard", "AWT chip".
    QString name;
};

// The name of a device the program drives; empty for any other device, even of the maker's.
QString makerDeviceName(std::uint16_t vendorId, std::uint16_t productId, int interfaceNumber);

// Every interface of the maker's devices (and of the AWT controller's chip) that the program
// drives, with this process's access to it.
std::vector<MakerDevice> listMakerDevices();
// Their interfaces alone, for counting by id.
std::vector<HidDeviceInfo> listedInterfaces(const std::vector<MakerDevice>& devices);

} // namespace zyne
