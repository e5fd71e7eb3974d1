#include "LinuxSystem.h"

#include "LinuxChannels.h"
#include "Log.h"
#include "Sysfs.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace xqcomm {

namespace {

const std::string kHidrawClass = "/sys/class/hidraw/";
const std::string kScsiGenericClass = "/sys/class/scsi_generic/";
constexpr int kScsiTypeDisk = 0x00;
constexpr int kScsiTypeCdRom = 0x05;

// HID_ID=0003:0000C216:00000102 in the HID device's uevent.
bool readHidIds(const std::string& hidDevice, HidInterface* interface) {
    const std::string uevent = sysfs::read(hidDevice + "/uevent");
    const std::size_t at = uevent.find("HID_ID=");
    unsigned bus = 0, vendor = 0, product = 0;
    if (at == std::string::npos ||
        std::sscanf(uevent.c_str() + at, "HID_ID=%x:%x:%x", &bus, &vendor, &product) != 3)
        return false;
    interface->vendorId = std::uint16_t(vendor);
    interface->productId = std::uint16_t(product);
    return true;
}

// bInterfaceNumber of the USB interface above the HID device; -1 for other buses.
int readInterfaceNumber(const std::string& hidDevice) {
    const std::string text =
        sysfs::readTrimmed(hidDevice.substr(0, hidDevice.rfind('/')) + "/bInterfaceNumber");
    unsigned number = 0;
    return std::sscanf(text.c_str(), "%x", &number) == 1 ? int(number) : -1;
}

int openNode(const std::string& node) {
    const int fd = open(node.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        logLine("open %s: %s", node.c_str(), std::strerror(errno));
    return fd;
}

} // namespace

std::vector<HidInterface> LinuxSystem::hidInterfaces() {
    struct Found {
        std::string location;
        HidInterface interface;
    };
    std::vector<Found> found;
    for (const std::string& name : sysfs::entries(kHidrawClass)) {
        const std::string hidDevice = sysfs::resolve(kHidrawClass + name + "/device");
        Found entry;
        if (hidDevice.empty() || !readHidIds(hidDevice, &entry.interface))
            continue;
        entry.interface.interfaceNumber = readInterfaceNumber(hidDevice);
        entry.interface.path = "/dev/" + name;
        entry.location = hidDevice;
        found.push_back(std::move(entry));
    }
    // The place on the bus, not the hidraw number, so the order survives re-plugging.
    std::sort(found.begin(), found.end(),
              [](const Found& a, const Found& b) { return sysfs::naturalLess(a.location, b.location); });
    std::vector<HidInterface> interfaces;
    for (Found& entry : found)
        interfaces.push_back(std::move(entry.interface));
    return interfaces;
}

std::unique_ptr<HidChannel> LinuxSystem::openHid(const HidInterface& interface) {
    const std::string name = interface.path.substr(interface.path.rfind('/') + 1);
    const int fd = openNode(interface.path);
    if (fd < 0)
        return nullptr;
    return std::make_unique<HidrawChannel>(fd, kHidrawClass + name + "/device/report_descriptor");
}

std::vector<StorageDevice> LinuxSystem::storageDevices() {
    std::vector<StorageDevice> devices;
    for (const std::string& name : sysfs::entries(kScsiGenericClass)) {
        const std::string scsiDevice = sysfs::resolve(kScsiGenericClass + name + "/device");
        if (scsiDevice.empty())
            continue;
        int type = -1;
        if (std::sscanf(sysfs::readTrimmed(scsiDevice + "/type").c_str(), "%d", &type) != 1 ||
            (type != kScsiTypeDisk && type != kScsiTypeCdRom))
            continue;
        StorageDevice device;
        device.id = scsiDevice;
        device.node = "/dev/" + name;
        device.label =
            sysfs::readTrimmed(scsiDevice + "/vendor") + " " + sysfs::readTrimmed(scsiDevice + "/model");
        device.kind = type == kScsiTypeCdRom ? StorageKind::CdRom : StorageKind::Disk;
        devices.push_back(std::move(device));
    }
    std::sort(devices.begin(), devices.end(),
              [](const StorageDevice& a, const StorageDevice& b) { return sysfs::naturalLess(a.id, b.id); });
    return devices;
}

std::unique_ptr<ScsiChannel> LinuxSystem::openScsi(const std::string& node) {
    const int fd = openNode(node);
    if (fd < 0)
        return nullptr;
    return std::make_unique<SgChannel>(fd);
}

Clock& LinuxSystem::clock() {
    static SteadyClock steadyClock;
    return steadyClock;
}

} // namespace xqcomm
