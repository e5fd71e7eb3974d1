#pragma once

// A model of the chip and its host, at the library's OS seam. The chip reassembles command
// chunks as the real one does, answers through `respond` once a block is complete, stays busy
// for a while before answering, and records every report. A transfer takes `transferMs` of the
// fake clock, so deadlines pass without waiting.

#include "System.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace xqcomm::fake {

using Bytes = std::vector<std::uint8_t>;

class FakeClock : public Clock {
public:
    std::uint64_t nowMs() override { return now; }
    void sleepMs(unsigned milliseconds) override { now += milliseconds; }
    std::uint64_t now = 1000;
};

class FakeChip {
public:
    FakeChip(FakeClock& clock, std::size_t featureReportLength);

    // Payload of the reply (status word last) to one complete command block.
    std::function<Bytes(const Bytes& command)> respond;
    std::size_t featureReportLength;
    int busyAnswersBeforeReply = 0;
    bool staysBusy = false;
    bool sendFails = false;
    bool readFails = false;
    unsigned transferMs = 1;
    bool keepRecords = true; // off for long runs such as the benchmark

    // Raw reports served ahead of anything else (for malformed replies).
    std::deque<Bytes> rawReplies;

    std::vector<Bytes> sentReports;
    std::vector<Bytes> commands;

    bool receiveReport(const std::uint8_t* report, std::size_t length);
    long answerReport(std::uint8_t* report, std::size_t length);

    // Splits a reply payload into reports as the chip sends them.
    static std::vector<Bytes> replyReports(const Bytes& payload, std::size_t featureReportLength);

private:
    FakeClock& clock_;
    Bytes pendingCommand_;
    std::deque<Bytes> pendingReply_;
    int busyLeft_ = 0;
};

struct FakeScsiTarget {
    std::function<ScsiResult(const ScsiRequest&)> execute;
    std::vector<Bytes> cdbs;
};

// The host: HID interfaces (some of them chips), storage devices, one clock.
class FakeSystem : public System {
public:
    FakeSystem() = default;
    FakeChip& addChip(std::string path, std::uint16_t productId = 0x0102, int interfaceNumber = 0,
                      std::size_t featureReportLength = 65);
    void addOtherHid(std::string path, std::uint16_t vendorId, std::uint16_t productId);
    FakeScsiTarget& addStorage(StorageDevice device);
    void removeStorage(const std::string& id);

    std::vector<HidInterface> hidInterfaces() override;
    std::unique_ptr<HidChannel> openHid(const HidInterface& interface) override;
    std::vector<StorageDevice> storageDevices() override;
    std::unique_ptr<ScsiChannel> openScsi(const std::string& node) override;
    Clock& clock() override { return clock_; }

    FakeClock& fakeClock() { return clock_; }
    int openChannels() const { return openChannels_; }

private:
    FakeClock clock_;
    std::vector<HidInterface> interfaces_;
    std::map<std::string, std::unique_ptr<FakeChip>> chips_;
    std::vector<StorageDevice> storage_;
    std::map<std::string, std::unique_ptr<FakeScsiTarget>> targets_;
    int openChannels_ = 0;
};

} // namespace xqcomm::fake
