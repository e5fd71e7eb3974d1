// A chip answering arbitrary reply reports. Input: byte 0 picks the feature report length, then
// per report one byte with the count the read returns followed by the report's bytes. When the
// input runs out the chip stays busy, and every read takes 10 s of the clock, so the deadline
// path runs too. The reply buffer is exactly XQ_MAX_REPLY_LEN bytes so ASan sees any overrun.

#include "ChipExchange.h"
#include "xqcomm.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

class ScriptedChip : public xqcomm::HidChannel, public xqcomm::Clock {
public:
    ScriptedChip(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool close() override { return true; }
    std::size_t featureReportLength() override { return 0; }
    bool setFeature(const std::uint8_t*, std::size_t) override { return true; }
    long getFeature(std::uint8_t* report, std::size_t length) override {
        now_ += 10 * 1000;
        if (position_ >= size_) {
            report[2] = xqcomm::kBusy;
            return long(length);
        }
        const std::size_t wanted = std::min<std::size_t>(data_[position_++], length);
        const std::size_t available = std::min(wanted, size_ - position_);
        std::memcpy(report, data_ + position_, available);
        position_ += available;
        return long(wanted);
    }
    std::uint64_t nowMs() override { return now_; }
    void sleepMs(unsigned milliseconds) override { now_ += milliseconds; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
    std::uint64_t now_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::size_t reportLength = 6 + data[0] % 64 + (data[0] >= 250 ? 250 : 0);
    ScriptedChip chip(data + 1, size - 1);
    auto reply = std::make_unique<std::uint8_t[]>(XQ_MAX_REPLY_LEN);
    const std::uint8_t command[3] = {0x26, 0x4A, 0x20};
    std::size_t payloadLength = 99999;
    const std::uint16_t status = xqcomm::exchangeCommand(chip, reportLength, chip, command, sizeof command,
                                                         27, reply.get(), &payloadLength);
    if (payloadLength > XQ_MAX_REPLY_LEN - 2)
        std::abort();
    // A chip may answer any word, the library's own codes included; what the library says of its
    // own must be one of its codes, with nothing of the reply counted.
    if (!XQ_IsChipStatus(status, unsigned(payloadLength), reply.get())) {
        const bool libraryCode = status == XQ_STATUS_SHORT_REPLY || status == XQ_STATUS_BAD_CHUNK ||
                                 status == XQ_STATUS_REPLY_TOO_LONG || status == XQ_STATUS_TIMED_OUT;
        if (!libraryCode || payloadLength != 0)
            std::abort();
    }
    return 0;
}
