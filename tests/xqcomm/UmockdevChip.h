#pragma once

// A umockdev testbed with chips behind hidraw nodes and SCSI targets behind sg nodes. The
// library's real system calls (sysfs reads, open, HIDIOC[SG]FEATURE, SG_IO) reach the chip
// model through umockdev's preload; the test runs under umockdev-wrapper.

#include "FakeChip.h"

#include <map>
#include <memory>
#include <string>

typedef struct _UMockdevTestbed UMockdevTestbed;
typedef struct _UMockdevIoctlBase UMockdevIoctlBase;

namespace xqcomm::test {

class UmockdevHost {
public:
    UmockdevHost();
    ~UmockdevHost();
    UmockdevHost(const UmockdevHost&) = delete;
    UmockdevHost& operator=(const UmockdevHost&) = delete;

    struct HidSpec {
        int number = 0;           // hidraw<number>
        std::string port = "1-1"; // USB port
        std::uint16_t vendorId = 0xC216;
        std::uint16_t productId = 0x0102;
        int interfaceNumber = 0;
        std::size_t featureReportLength = 65;
        fake::Bytes descriptor; // empty: one vendor feature report of featureReportLength
    };
    // A HID interface as the kernel shows it in sysfs and /dev, with the chip model behind it.
    fake::FakeChip& addHid(const HidSpec& spec);
    // sg<number> for the SCSI device at host:0:0:0, with these inquiry strings and device type.
    fake::FakeScsiTarget& addSg(int number, int host, const std::string& vendor, const std::string& model,
                                int type);

    bool usable() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    // Called on umockdev's thread for every ioctl on a node of the testbed.
    void handleIoctl(void* client);

private:
    void addDevices(const std::string& description, const std::string& node);

    UMockdevTestbed* testbed_ = nullptr;
    UMockdevIoctlBase* handler_ = nullptr;
    fake::FakeClock clock_;
    std::map<std::string, std::unique_ptr<fake::FakeChip>> chips_;
    std::map<std::string, std::unique_ptr<fake::FakeScsiTarget>> targets_;
    std::string error_;
};

} // namespace xqcomm::test
