#include "RigState.h"

#include "AwtChipEmulator.h"
#include "HidBackend.h"
#include "PlusControllerEmulator.h"
#include "PowerSupplyEmulator.h"

namespace zyne::sim {

namespace {
constexpr std::uint16_t kMakerVendor = 0x264A;
constexpr std::uint16_t kFirstPlusProduct = 0x1FA5;
constexpr std::uint16_t kFirstClassicProduct = 0x1F41;
constexpr UsbIds kPowerSupplyIds{kMakerVendor, 0x2329};
constexpr UsbIds kAwtIds{0xC216, 0x0102};

UsbIds controllerIds(DeviceKind kind, int index) {
    const int first = kind == DeviceKind::Plus ? kFirstPlusProduct : kFirstClassicProduct;
    return {kMakerVendor, static_cast<std::uint16_t>(first + index)};
}

QString hex4(std::uint16_t value) {
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}
} // namespace

QString deviceKindName(DeviceKind kind) {
    switch (kind) {
    case DeviceKind::Plus:
        return QStringLiteral("plus");
    case DeviceKind::Classic:
        return QStringLiteral("classic");
    case DeviceKind::PowerSupply:
        return QStringLiteral("psu");
    case DeviceKind::Awt:
        return QStringLiteral("awt");
    case DeviceKind::Keyboard:
        return QStringLiteral("keyboard");
    }
    return {};
}

QString SimDevice::idText() const {
    return deviceIdText(ids.vendorId, ids.productId);
}

QString SimDevice::windowsStylePath() const {
    // The form Windows gives HID interfaces; the box is named by the second '#' part.
    return QStringLiteral("\\\\?\\HID#VID_%1&PID_%2#7&51a%3&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}")
        .arg(hex4(ids.vendorId).toUpper(), hex4(ids.productId).toUpper())
        .arg(index, 2, 16, QLatin1Char('0'));
}

QString deviceLabel(DeviceKind kind, int index) {
    const bool indexed = kind == DeviceKind::Plus || kind == DeviceKind::Classic;
    return indexed ? QStringLiteral("%1 %2").arg(deviceKindName(kind)).arg(index) : deviceKindName(kind);
}

SimDevice* RigState::find(DeviceKind kind, int index) {
    for (auto& device : devices) {
        if (device->kind == kind && device->index == index)
            return device.get();
    }
    return nullptr;
}

namespace {
std::unique_ptr<SimDevice> makeDevice(DeviceKind kind, int index, UsbIds ids, Behaviour behaviour,
                                      std::unique_ptr<DeviceEmulator> emulator) {
    auto device = std::make_unique<SimDevice>();
    device->kind = kind;
    device->index = index;
    device->ids = ids;
    device->behaviour = behaviour;
    device->emulator = std::move(emulator);
    return device;
}

std::unique_ptr<SimDevice> makeController(DeviceKind kind, const ControllerSpec& spec) {
    auto device = makeDevice(kind, spec.index, controllerIds(kind, spec.index), spec.behaviour,
                             std::make_unique<PlusControllerEmulator>(spec));
    device->latencyMs = spec.latencyMs;
    return device;
}

std::unique_ptr<SimDevice> makePowerSupply(const PowerSupplySpec& spec) {
    auto device = makeDevice(DeviceKind::PowerSupply, 0, kPowerSupplyIds, Behaviour::Ok,
                             std::make_unique<PowerSupplyEmulator>(spec.model));
    device->latencyMs = spec.latencyMs;
    return device;
}

std::unique_ptr<SimDevice> makeAwt(const AwtSpec& spec) {
    auto device =
        makeDevice(DeviceKind::Awt, 0, kAwtIds, spec.behaviour, std::make_unique<AwtChipEmulator>(spec));
    device->latencyMs = spec.latencyMs;
    return device;
}
} // namespace

void RigState::addRig(const SimRig& rig) {
    for (const auto& spec : rig.plus)
        devices.push_back(makeController(DeviceKind::Plus, spec));
    for (const auto& spec : rig.classic)
        devices.push_back(makeController(DeviceKind::Classic, spec));
    if (rig.powerSupply)
        devices.push_back(makePowerSupply(*rig.powerSupply));
    if (rig.awt)
        devices.push_back(makeAwt(*rig.awt));
    for (std::size_t i = 0; i < rig.keyboards.size(); ++i)
        devices.push_back(makeDevice(DeviceKind::Keyboard, static_cast<int>(i), rig.keyboards[i],
                                     Behaviour::Ok, std::make_unique<EchoEmulator>()));
}

SimDevice* RigState::addFresh(DeviceKind kind, int index) {
    switch (kind) {
    case DeviceKind::Plus:
        devices.push_back(makeController(kind, SimRig::defaultPlus(index)));
        break;
    case DeviceKind::Classic:
        devices.push_back(makeController(kind, SimRig::defaultClassic(index)));
        break;
    case DeviceKind::PowerSupply:
        devices.push_back(makePowerSupply(PowerSupplySpec{}));
        break;
    case DeviceKind::Awt:
        devices.push_back(makeAwt(AwtSpec{}));
        break;
    case DeviceKind::Keyboard:
        return nullptr; // keyboards have no factory state: they come from the rig only
    }
    return devices.back().get();
}

} // namespace zyne::sim
