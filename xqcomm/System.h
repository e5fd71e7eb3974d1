#pragma once

// The library's only way to the operating system. The Linux layer implements it; tests, the
// benchmark and the fuzz targets install a model of the chip instead.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace xqcomm {

class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic milliseconds.
    virtual std::uint64_t nowMs() = 0;
    virtual void sleepMs(unsigned milliseconds) = 0;
};

// An open device; closing happens at most once, on close() or destruction.
class DeviceChannel {
public:
    virtual ~DeviceChannel() = default;
    virtual bool close() = 0;
};

// The chip's HID interface. Reports start with the report-ID byte.
class HidChannel : public DeviceChannel {
public:
    // Longest feature report in bytes including the report-ID byte; 0 when it can't be read.
    virtual std::size_t featureReportLength() = 0;
    virtual bool setFeature(const std::uint8_t* report, std::size_t length) = 0;
    // Fills report (report[0] = report ID on entry); returns the bytes read or -1.
    virtual long getFeature(std::uint8_t* report, std::size_t length) = 0;
};

enum class DataDirection { None, In, Out };

struct ScsiRequest {
    const std::uint8_t* cdb = nullptr;
    std::uint8_t cdbLength = 0;
    DataDirection direction = DataDirection::None;
    std::uint8_t* data = nullptr;
    std::uint32_t dataLength = 0;
    std::uint8_t* sense = nullptr;
    std::uint8_t senseCapacity = 0;
    unsigned timeoutMs = 0;
};

struct ScsiResult {
    int error = 0; // errno-style, 0 when the command was carried out
    std::uint8_t senseLength = 0;
    std::uint32_t transferred = 0;
};

class ScsiChannel : public DeviceChannel {
public:
    virtual ScsiResult transmit(const ScsiRequest& request) = 0;
};

struct HidInterface {
    std::string path; // device node, also the key of the in-use table
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    int interfaceNumber = -1;
};

enum class StorageKind { Disk, CdRom };

struct StorageDevice {
    std::string id;    // stays the same while the device is attached
    std::string node;  // what openScsi() opens
    std::string label; // vendor and model text
    StorageKind kind = StorageKind::Disk;
};

class System {
public:
    virtual ~System() = default;
    // Present HID interfaces in an order that does not change while they stay attached.
    virtual std::vector<HidInterface> hidInterfaces() = 0;
    virtual std::unique_ptr<HidChannel> openHid(const HidInterface& interface) = 0;
    // Present disks and CD-ROM drives.
    virtual std::vector<StorageDevice> storageDevices() = 0;
    virtual std::unique_ptr<ScsiChannel> openScsi(const std::string& node) = 0;
    virtual Clock& clock() = 0;
};

// The system in use: the installed one, else the Linux layer.
System& currentSystem();
// Installs a system (not owned); nullptr returns to the Linux layer. Only while no handle is open.
void installSystem(System* system);

} // namespace xqcomm
