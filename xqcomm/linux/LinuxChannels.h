#pragma once

#include "System.h"

#include <string>

namespace xqcomm {

// A hidraw node; the feature report length comes from the report descriptor in sysfs.
class HidrawChannel : public HidChannel {
public:
    HidrawChannel(int fd, std::string descriptorPath);
    ~HidrawChannel() override;
    bool close() override;
    std::size_t featureReportLength() override;
    bool setFeature(const std::uint8_t* report, std::size_t length) override;
    long getFeature(std::uint8_t* report, std::size_t length) override;

private:
    int fd_;
    std::string descriptorPath_;
};

// A SCSI generic node taking SG_IO.
class SgChannel : public ScsiChannel {
public:
    explicit SgChannel(int fd);
    ~SgChannel() override;
    bool close() override;
    ScsiResult transmit(const ScsiRequest& request) override;

private:
    int fd_;
};

class SteadyClock : public Clock {
public:
    std::uint64_t nowMs() override;
    void sleepMs(unsigned milliseconds) override;
};

} // namespace xqcomm
