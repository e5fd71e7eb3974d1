#include "MakerDevices.h"

#include "MakerKeyboards.h"
#include "PlusReports.h"
#include "PowerSupplyFrames.h"

namespace zyne {

namespace {
// The AWT controller's USB chip: product 0x0102, or interface 1 of the composite 0x0303.
constexpr std::uint16_t kChipVendorId = 0xC216;
constexpr std::uint16_t kChipProductId = 0x0102;
constexpr std::uint16_t kChipCompositeProductId = 0x0303;
} // namespace

QString makerDeviceName(std::uint16_t vendorId, std::uint16_t productId, int interfaceNumber) {
    if (vendorId == kChipVendorId) {
        const bool chip =
            productId == kChipProductId || (productId == kChipCompositeProductId && interfaceNumber == 1);
        return chip ? QStringLiteral("AWT chip") : QString();
    }
    if (vendorId != kMakerVendorId)
        return {};
    for (int box = 0; box < kBoxCount; ++box) {
        if (productId == plusProductId(box))
            return QStringLiteral("Plus box %1").arg(box + 1);
        if (productId == classicProductId(box))
            return QStringLiteral("classic box %1").arg(box + 1);
    }
    if (productId == kPowerSupplyProductId)
        return QStringLiteral("power supply");
    return isMakerKeyboardProduct(productId) ? QStringLiteral("keyboard") : QString();
}

std::vector<HidDeviceInfo> listedInterfaces(const std::vector<MakerDevice>& devices) {
    std::vector<HidDeviceInfo> interfaces;
    interfaces.reserve(devices.size());
    for (const MakerDevice& device : devices)
        interfaces.push_back(device.node.info);
    return interfaces;
}

std::vector<MakerDevice> listMakerDevices() {
    // One walk of the whole list serves both vendors; only our own nodes are opened.
    std::vector<MakerDevice> devices;
    for (HidDeviceInfo& info : hidBackend().enumerate()) {
        QString name = makerDeviceName(info.vendorId, info.productId, info.interfaceNumber);
        if (name.isEmpty())
            continue;
        ListedNode node;
        node.access = nodeAccess(info.path, &node.error);
        node.info = std::move(info);
        devices.push_back({std::move(node), std::move(name)});
    }
    return devices;
}

} // namespace zyne
