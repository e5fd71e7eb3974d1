// The exported functions. Everything else in the library is hidden.

#include "xqcomm.h"

#include "ChipExchange.h"
#include "DeviceName.h"
#include "HandleTable.h"
#include "Log.h"
#include "ScsiPassThrough.h"
#include "StorageSlots.h"

#include <algorithm>
#include <new>

using namespace xqcomm;

namespace {

// The chip's HID interfaces: product 0x0102, or interface 1 of product 0x0303.
constexpr std::uint16_t kChipVendor = 0xC216;
constexpr std::uint16_t kChipProduct = 0x0102;
constexpr std::uint16_t kChipCompositeProduct = 0x0303;
constexpr int kChipCompositeInterface = 1;

bool isChipInterface(const HidInterface& interface) {
    if (interface.vendorId != kChipVendor)
        return false;
    return interface.productId == kChipProduct || (interface.productId == kChipCompositeProduct &&
                                                   interface.interfaceNumber == kChipCompositeInterface);
}

XQ_HANDLE openHid(int number) {
    System& system = currentSystem();
    int seen = 0;
    for (const HidInterface& interface : system.hidInterfaces()) {
        if (!isChipInterface(interface) || ++seen < number)
            continue;
        HandleTable& table = HandleTable::instance();
        if (!table.claimPath(interface.path)) {
            logLine("xq_hid%d (%s) is already open", number, interface.path.c_str());
            return XQ_INVALID_HANDLE;
        }
        auto device = std::shared_ptr<OpenDevice>(new (std::nothrow) OpenDevice);
        if (device)
            device->hid = system.openHid(interface);
        if (!device || !device->hid) {
            logLine("cannot open xq_hid%d (%s)", number, interface.path.c_str());
            table.releasePath(interface.path);
            return XQ_INVALID_HANDLE;
        }
        device->kind = OpenDevice::Hid;
        device->typeCode = OpenDevice::HidType;
        device->deviceNumber = std::uint8_t(number);
        device->path = interface.path;
        const XQ_HANDLE handle = table.add(device);
        if (handle == XQ_INVALID_HANDLE) {
            device->hid->close();
            table.releasePath(interface.path);
        }
        return handle;
    }
    debugLine("no chip HID interface number %d (%d present)", number, seen);
    return XQ_INVALID_HANDLE;
}

XQ_HANDLE openStorage(DeviceKind kind, int number) {
    System& system = currentSystem();
    const ChipStorage storage = findChipStorage(system, kind, number);
    if (storage.node.empty()) {
        debugLine("no chip %s in slot %d", storage.cdromTable ? "CD-ROM" : "disk", number);
        return XQ_INVALID_HANDLE;
    }
    auto device = std::shared_ptr<OpenDevice>(new (std::nothrow) OpenDevice);
    if (device)
        device->scsi = system.openScsi(storage.node);
    if (!device || !device->scsi) {
        logLine("cannot open %s", storage.node.c_str());
        return XQ_INVALID_HANDLE;
    }
    device->kind = OpenDevice::Storage;
    device->typeCode = kind == DeviceKind::Udisk ? OpenDevice::UdiskType : OpenDevice::CdRomType;
    device->deviceNumber = std::uint8_t(number);
    device->path = storage.node;
    const XQ_HANDLE handle = HandleTable::instance().add(device);
    if (handle == XQ_INVALID_HANDLE)
        device->scsi->close();
    return handle;
}

std::shared_ptr<OpenDevice> findDevice(XQ_HANDLE handle) {
    if (handle == XQ_INVALID_HANDLE || handle == 0)
        return nullptr;
    return HandleTable::instance().find(handle);
}

// Before any check: a library code comes with a zero length and zeroed status bytes (xqcomm.h).
void clearReply(unsigned int* receiveLength, unsigned char* receiveBuffer) {
    if (receiveLength)
        *receiveLength = 0;
    if (receiveBuffer) {
        receiveBuffer[0] = 0;
        receiveBuffer[1] = 0;
    }
}

// Runs one exchange on a HID device whose lock the caller holds.
std::uint16_t exchangeLocked(OpenDevice& device, const std::uint8_t* command, std::size_t commandLength,
                             std::uint8_t waitValue, std::uint8_t* reply, std::size_t* payloadLength) {
    *payloadLength = 0;
    if (device.kind != OpenDevice::Hid || !device.hid) {
        reply[0] = 0;
        reply[1] = 0;
        return XQ_STATUS_BAD_HANDLE;
    }
    if (device.featureReportLength == 0)
        device.featureReportLength = device.hid->featureReportLength();
    return exchangeCommand(*device.hid, device.featureReportLength, currentSystem().clock(), command,
                           commandLength, waitValue, reply, payloadLength);
}

// Nothing may unwind into a C caller: a failed allocation answers the call's failure value.
template <typename Result, typename Body> Result guarded(Result failure, Body body) noexcept {
    try {
        return body();
    } catch (...) {
        logLine("out of memory");
        return failure;
    }
}

} // namespace

extern "C" {

XQ_HANDLE XQ_Open(const char* deviceName, int, int) {
    return guarded(XQ_INVALID_HANDLE, [&]() -> XQ_HANDLE {
        DeviceName name;
        if (!parseDeviceName(deviceName, &name)) {
            logLine("unknown device name \"%s\"", deviceName ? deviceName : "(null)");
            return XQ_INVALID_HANDLE;
        }
        return name.kind == DeviceKind::Hid ? openHid(name.number) : openStorage(name.kind, name.number);
    });
}

int XQ_Close(XQ_HANDLE handle) {
    return guarded(-1, [&]() -> int {
        if (handle == XQ_INVALID_HANDLE || handle == 0)
            return -1;
        const std::shared_ptr<OpenDevice> device = HandleTable::instance().take(handle);
        if (!device)
            return -1;
        std::lock_guard<std::mutex> guard(device->lock);
        bool closed = false;
        if (device->hid) {
            closed = device->hid->close();
            device->hid.reset();
            HandleTable::instance().releasePath(device->path);
        } else if (device->scsi) {
            closed = device->scsi->close();
            device->scsi.reset();
        }
        return closed ? 0 : -1;
    });
}

int XQ_Comm(XQ_HANDLE handle, int sendLength, const unsigned char* sendBuffer, unsigned int* receiveLength,
            unsigned char* receiveBuffer, int timeout) {
    return guarded(int(XQ_STATUS_BAD_HANDLE), [&]() -> int {
        clearReply(receiveLength, receiveBuffer);
        const std::shared_ptr<OpenDevice> device = findDevice(handle);
        if (!device || sendLength < 0 || (sendLength > 0 && !sendBuffer) || !receiveLength || !receiveBuffer)
            return XQ_STATUS_BAD_HANDLE;
        std::lock_guard<std::mutex> guard(device->lock);
        std::size_t payloadLength = 0;
        const std::uint16_t status =
            exchangeLocked(*device, sendBuffer, std::size_t(sendLength), waitValueForTimeout(timeout),
                           receiveBuffer, &payloadLength);
        *receiveLength = unsigned(payloadLength);
        return status;
    });
}

int XQ_GetDevSn(XQ_HANDLE handle, unsigned int* serialLength, unsigned char* serialBuffer) {
    return guarded(int(XQ_STATUS_BAD_HANDLE), [&]() -> int {
        clearReply(serialLength, serialBuffer);
        const std::shared_ptr<OpenDevice> device = findDevice(handle);
        if (!device || !serialLength || !serialBuffer)
            return XQ_STATUS_BAD_HANDLE;
        std::lock_guard<std::mutex> guard(device->lock);
        std::size_t payloadLength = 0;
        const std::uint16_t status = exchangeLocked(*device, &kSerialNumberCommand, 1, kSerialNumberWait,
                                                    serialBuffer, &payloadLength);
        *serialLength = unsigned(payloadLength);
        if (status != XQ_STATUS_OK)
            return status;
        return payloadLength == 0 ? XQ_STATUS_EMPTY_SERIAL : XQ_STATUS_OK;
    });
}

int HID_Ctrl_Comm(XQ_HANDLE handle, const unsigned char* sendBuffer, unsigned int sendLength,
                  unsigned char* receiveBuffer, unsigned int* receiveLength, int waitValue) {
    return guarded(int(XQ_STATUS_BAD_HANDLE), [&]() -> int {
        clearReply(receiveLength, receiveBuffer);
        const std::shared_ptr<OpenDevice> device = findDevice(handle);
        if (!device || (sendLength > 0 && !sendBuffer) || !receiveLength || !receiveBuffer)
            return XQ_STATUS_BAD_HANDLE;
        // Locked as well: two exchanges interleaving their chunks would corrupt both.
        std::lock_guard<std::mutex> guard(device->lock);
        std::size_t payloadLength = 0;
        const std::uint8_t wait = std::uint8_t(std::clamp(waitValue, 0, 255));
        const std::uint16_t status =
            exchangeLocked(*device, sendBuffer, sendLength, wait, receiveBuffer, &payloadLength);
        *receiveLength = unsigned(payloadLength);
        return status;
    });
}

int BotUdiskTransmit(XQ_HANDLE handle, int logicalUnit, unsigned char* senseLength,
                     unsigned char* senseBuffer, int timeoutSeconds, int cdbLength, const unsigned char* cdb,
                     int dataIn, unsigned int* dataLength, unsigned char* dataBuffer) {
    return guarded(0, [&]() -> int {
        (void)logicalUnit; // the opened node already names one logical unit
        const std::shared_ptr<OpenDevice> device = findDevice(handle);
        if (!device)
            return 0;
        std::lock_guard<std::mutex> guard(device->lock);
        if (device->kind != OpenDevice::Storage || !device->scsi)
            return 0;
        PassThrough command;
        command.senseLength = senseLength;
        command.sense = senseBuffer;
        command.timeoutSeconds = timeoutSeconds;
        command.cdbLength = cdbLength;
        command.cdb = cdb;
        command.dataIn = dataIn != 0;
        command.dataLength = dataLength;
        command.data = dataBuffer;
        return passThrough(*device->scsi, command) ? 1 : 0;
    });
}

} // extern "C"
