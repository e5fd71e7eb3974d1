#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace zyne {

// One HID interface as the operating system lists it.
struct HidDeviceInfo {
    QString path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    int interfaceNumber = -1;
};

// An open HID interface. Each handle is used by one thread only; closing happens on destruction.
class HidDevice {
public:
    virtual ~HidDevice() = default;

    // Writes an output report; data[0] is the report ID. Returns bytes written or -1.
    virtual int write(const unsigned char* data, std::size_t length) = 0;
    // Reads one input report, waiting at most timeoutMs. Returns bytes read, 0 on timeout, -1 on error.
    virtual int read(unsigned char* data, std::size_t length, int timeoutMs) = 0;
    virtual int sendFeatureReport(const unsigned char* data, std::size_t length) = 0;
    virtual int getFeatureReport(unsigned char* data, std::size_t length) = 0;
};

// The process-wide way to HID devices: hidapi by default, the simulated rig in tests and demos.
class HidBackend {
public:
    virtual ~HidBackend() = default;

    // Opens the first interface with these ids; null when there is none or it can't be opened.
    // A discovery opens many ids in a row: a backend may answer them all from one listing of the
    // system's devices, taken at the first open after listAfresh().
    virtual std::unique_ptr<HidDevice> open(std::uint16_t vendorId, std::uint16_t productId) = 0;
    // The devices may have changed (a discovery starts): the next open lists them again.
    virtual void listAfresh() {}
    // Lists present interfaces; 0 for an id means any.
    virtual std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId = 0, std::uint16_t productId = 0) = 0;
};

// "264a:1fa5": how logs and the trace name a device by its ids.
QString deviceIdText(std::uint16_t vendorId, std::uint16_t productId);

// Replaces the process-wide backend; call before any device is opened.
void installHidBackend(std::unique_ptr<HidBackend> backend);
// The installed backend, or the hidapi backend when none was installed.
HidBackend& hidBackend();

// Upper bound on the wait for a reply to one report (see README: a full-speed USB
// controller answers within a few milliseconds; this leaves room for a busy bus).
constexpr int kReplyTimeoutMs = 50;

} // namespace zyne
