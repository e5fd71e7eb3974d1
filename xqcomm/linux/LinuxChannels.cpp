#include "LinuxChannels.h"

#include "Log.h"
#include "ReportDescriptor.h"
#include "Sysfs.h"

#include <linux/hidraw.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace xqcomm {

namespace {

constexpr std::size_t kMaxDescriptorLength = 4096; // HID_MAX_DESCRIPTOR_SIZE
constexpr unsigned char kHostTimedOut = 0x03;      // DID_TIME_OUT
constexpr unsigned short kDriverTimedOut = 0x06;   // DRIVER_TIMEOUT

int ioctlRetrying(int fd, unsigned long request, void* argument) {
    int result;
    do {
        result = ioctl(fd, request, argument);
    } while (result < 0 && errno == EINTR);
    return result;
}

bool closeOnce(int& fd) {
    if (fd < 0)
        return false;
    const int result = ::close(fd);
    fd = -1;
    return result == 0;
}

} // namespace

HidrawChannel::HidrawChannel(int fd, std::string descriptorPath)
    : fd_(fd), descriptorPath_(std::move(descriptorPath)) {}

HidrawChannel::~HidrawChannel() {
    closeOnce(fd_);
}

bool HidrawChannel::close() {
    return closeOnce(fd_);
}

std::size_t HidrawChannel::featureReportLength() {
    const std::string descriptor = sysfs::read(descriptorPath_, kMaxDescriptorLength);
    const long length = xqcomm::featureReportLength(reinterpret_cast<const std::uint8_t*>(descriptor.data()),
                                                    descriptor.size());
    if (length <= 0) {
        logLine("%s: no usable feature report in %zu descriptor bytes", descriptorPath_.c_str(),
                descriptor.size());
        return 0;
    }
    return std::size_t(length);
}

bool HidrawChannel::setFeature(const std::uint8_t* report, std::size_t length) {
    if (fd_ < 0 || length > kMaxFeatureReportLength)
        return false;
    const int sent = ioctlRetrying(fd_, HIDIOCSFEATURE(length), const_cast<std::uint8_t*>(report));
    if (sent < 0)
        logLine("HIDIOCSFEATURE: %s", std::strerror(errno));
    return sent == int(length);
}

long HidrawChannel::getFeature(std::uint8_t* report, std::size_t length) {
    if (fd_ < 0 || length > kMaxFeatureReportLength)
        return -1;
    const int received = ioctlRetrying(fd_, HIDIOCGFEATURE(length), report);
    if (received < 0)
        logLine("HIDIOCGFEATURE: %s", std::strerror(errno));
    return received;
}

SgChannel::SgChannel(int fd) : fd_(fd) {}

SgChannel::~SgChannel() {
    closeOnce(fd_);
}

bool SgChannel::close() {
    return closeOnce(fd_);
}

ScsiResult SgChannel::transmit(const ScsiRequest& request) {
    ScsiResult result;
    if (fd_ < 0) {
        result.error = EBADF;
        return result;
    }
    sg_io_hdr_t header;
    std::memset(&header, 0, sizeof header);
    header.interface_id = 'S';
    header.dxfer_direction = request.direction == DataDirection::In    ? SG_DXFER_FROM_DEV
                             : request.direction == DataDirection::Out ? SG_DXFER_TO_DEV
                                                                       : SG_DXFER_NONE;
    header.cmd_len = request.cdbLength;
    header.cmdp = const_cast<unsigned char*>(request.cdb);
    header.dxfer_len = request.dataLength;
    header.dxferp = request.data;
    header.mx_sb_len = request.senseCapacity;
    header.sbp = request.sense;
    header.timeout = request.timeoutMs;
    if (ioctlRetrying(fd_, SG_IO, &header) < 0) {
        result.error = errno;
        return result;
    }
    if (header.host_status != 0 || (header.driver_status & 0x0F) == kDriverTimedOut) {
        const bool timedOut =
            header.host_status == kHostTimedOut || (header.driver_status & 0x0F) == kDriverTimedOut;
        result.error = timedOut ? ETIMEDOUT : EIO;
        return result;
    }
    result.senseLength = header.sb_len_wr;
    const unsigned resid = header.resid > 0 ? unsigned(header.resid) : 0u;
    result.transferred = resid < request.dataLength ? request.dataLength - resid : 0;
    return result;
}

std::uint64_t SteadyClock::nowMs() {
    using namespace std::chrono;
    return std::uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SteadyClock::sleepMs(unsigned milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace xqcomm
