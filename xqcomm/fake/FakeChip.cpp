#include "FakeChip.h"

#include "ChipExchange.h"

#include <algorithm>
#include <cstring>

namespace xqcomm::fake {

namespace {

// An open channel keeps the host's count of open devices honest.
class OpenCount {
public:
    explicit OpenCount(int& count) : count_(&count) { ++*count_; }
    ~OpenCount() { close(); }
    bool close() {
        if (!count_)
            return false;
        --*count_;
        count_ = nullptr;
        return true;
    }
    bool isOpen() const { return count_ != nullptr; }

private:
    int* count_;
};

class FakeHidChannel : public HidChannel {
public:
    FakeHidChannel(FakeChip& chip, int& openCount) : chip_(chip), open_(openCount) {}
    bool close() override { return open_.close(); }
    std::size_t featureReportLength() override { return open_.isOpen() ? chip_.featureReportLength : 0; }
    bool setFeature(const std::uint8_t* report, std::size_t length) override {
        return open_.isOpen() && chip_.receiveReport(report, length);
    }
    long getFeature(std::uint8_t* report, std::size_t length) override {
        return open_.isOpen() ? chip_.answerReport(report, length) : -1;
    }

private:
    FakeChip& chip_;
    OpenCount open_;
};

class FakeScsiChannel : public ScsiChannel {
public:
    FakeScsiChannel(FakeScsiTarget& target, int& openCount) : target_(target), open_(openCount) {}
    bool close() override { return open_.close(); }
    ScsiResult transmit(const ScsiRequest& request) override {
        target_.cdbs.emplace_back(request.cdb, request.cdb + request.cdbLength);
        return target_.execute(request);
    }

private:
    FakeScsiTarget& target_;
    OpenCount open_;
};

} // namespace

FakeChip::FakeChip(FakeClock& clock, std::size_t length) : featureReportLength(length), clock_(clock) {}

bool FakeChip::receiveReport(const std::uint8_t* report, std::size_t length) {
    clock_.now += transferMs;
    if (sendFails || length != featureReportLength)
        return false;
    if (keepRecords)
        sentReports.emplace_back(report, report + length);
    const std::size_t payload = std::min<std::size_t>(report[4], length - kChunkHeaderLength);
    pendingCommand_.insert(pendingCommand_.end(), report + kChunkHeaderLength,
                           report + kChunkHeaderLength + payload);
    if (report[2] & kMoreChunksFollow)
        return true;
    if (keepRecords)
        commands.push_back(pendingCommand_);
    const Bytes reply = respond ? respond(pendingCommand_) : Bytes{};
    pendingCommand_.clear();
    const std::vector<Bytes> reports = replyReports(reply, featureReportLength);
    pendingReply_.assign(reports.begin(), reports.end());
    busyLeft_ = busyAnswersBeforeReply;
    return true;
}

long FakeChip::answerReport(std::uint8_t* report, std::size_t length) {
    clock_.now += transferMs;
    if (readFails)
        return -1;
    Bytes answer;
    if (!rawReplies.empty()) {
        answer = std::move(rawReplies.front());
        rawReplies.pop_front();
    } else if (staysBusy || busyLeft_ > 0 || pendingReply_.empty()) {
        busyLeft_ = std::max(0, busyLeft_ - 1);
        answer.assign(featureReportLength, 0);
        answer[2] = kBusy;
    } else {
        answer = std::move(pendingReply_.front());
        pendingReply_.pop_front();
    }
    const std::size_t served = std::min(answer.size(), length);
    std::memcpy(report, answer.data(), served);
    return long(served);
}

std::vector<Bytes> FakeChip::replyReports(const Bytes& payload, std::size_t featureReportLength) {
    const std::size_t capacity = chunkCapacity(featureReportLength);
    const std::size_t chunks = payload.empty() ? 1 : (payload.size() + capacity - 1) / capacity;
    std::vector<Bytes> reports;
    for (std::size_t index = 0; index < chunks; ++index) {
        Bytes report(featureReportLength, 0);
        const std::size_t offset = index * capacity;
        const std::size_t length = std::min(capacity, payload.size() - offset);
        report[2] = controlByte(index, index + 1 < chunks);
        report[4] = std::uint8_t(length);
        std::copy_n(payload.begin() + long(offset), length, report.begin() + kChunkHeaderLength);
        reports.push_back(std::move(report));
    }
    return reports;
}

FakeChip& FakeSystem::addChip(std::string path, std::uint16_t productId, int interfaceNumber,
                              std::size_t featureReportLength) {
    interfaces_.push_back({path, 0xC216, productId, interfaceNumber});
    auto& chip = chips_[path];
    chip = std::make_unique<FakeChip>(clock_, featureReportLength);
    return *chip;
}

void FakeSystem::addOtherHid(std::string path, std::uint16_t vendorId, std::uint16_t productId) {
    interfaces_.push_back({std::move(path), vendorId, productId, 0});
}

FakeScsiTarget& FakeSystem::addStorage(StorageDevice device) {
    auto& target = targets_[device.node];
    target = std::make_unique<FakeScsiTarget>();
    storage_.push_back(std::move(device));
    return *target;
}

void FakeSystem::removeStorage(const std::string& id) {
    storage_.erase(std::remove_if(storage_.begin(), storage_.end(),
                                  [&](const StorageDevice& device) { return device.id == id; }),
                   storage_.end());
}

std::vector<HidInterface> FakeSystem::hidInterfaces() {
    return interfaces_;
}

std::unique_ptr<HidChannel> FakeSystem::openHid(const HidInterface& interface) {
    const auto chip = chips_.find(interface.path);
    if (chip == chips_.end())
        return nullptr;
    return std::make_unique<FakeHidChannel>(*chip->second, openChannels_);
}

std::vector<StorageDevice> FakeSystem::storageDevices() {
    return storage_;
}

std::unique_ptr<ScsiChannel> FakeSystem::openScsi(const std::string& node) {
    const auto target = targets_.find(node);
    if (target == targets_.end())
        return nullptr;
    return std::make_unique<FakeScsiChannel>(*target->second, openChannels_);
}

} // namespace xqcomm::fake
