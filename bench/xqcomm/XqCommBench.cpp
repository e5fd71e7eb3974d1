// Cost of the library itself for one AWT lighting frame (54 bytes, one chunk each way), with the
// OS layer replaced by answers that cost next to nothing. What remains is what the library adds
// to the two feature-report system calls of a real exchange.

#include "ChipExchange.h"
#include "FakeChip.h"
#include "xqcomm.h"

#include <benchmark/benchmark.h>

#include <cstring>

using namespace xqcomm;

namespace {

constexpr std::size_t kReportLength = 65;

// Takes every report and answers one ready-made reply chunk: "status 0x0001".
class CannedChip : public HidChannel {
public:
    CannedChip() : reply_(fake::FakeChip::replyReports({0x00, 0x01}, kReportLength).front()) {}
    bool close() override { return true; }
    std::size_t featureReportLength() override { return kReportLength; }
    bool setFeature(const std::uint8_t* report, std::size_t) override {
        benchmark::DoNotOptimize(report);
        return true;
    }
    long getFeature(std::uint8_t* report, std::size_t length) override {
        std::memcpy(report, reply_.data(), length);
        return long(length);
    }

private:
    fake::Bytes reply_;
};

class CannedSystem : public fake::FakeSystem {
public:
    std::unique_ptr<HidChannel> openHid(const HidInterface&) override {
        return std::make_unique<CannedChip>();
    }
};

const fake::Bytes kFrame(54, 0x40);

// The protocol alone: chunking, reply parsing, status word.
void exchangeOnly(benchmark::State& state) {
    CannedChip chip;
    fake::FakeClock clock;
    std::uint8_t reply[XQ_MAX_REPLY_LEN];
    std::size_t length = 0;
    for (auto _ : state) {
        const std::uint16_t status =
            exchangeCommand(chip, kReportLength, clock, kFrame.data(), kFrame.size(), 27, reply, &length);
        benchmark::DoNotOptimize(status);
    }
}
BENCHMARK(exchangeOnly);

// Times XQ_Comm of the frame on the first chip of the given system.
template <typename System> void timeXqComm(benchmark::State& state, System& system) {
    installSystem(&system);
    const XQ_HANDLE handle = XQ_Open("xq_hid1", 0, 0);
    unsigned char reply[XQ_MAX_REPLY_LEN];
    unsigned length = 0;
    for (auto _ : state) {
        const int status = XQ_Comm(handle, int(kFrame.size()), kFrame.data(), &length, reply, 100);
        benchmark::DoNotOptimize(status);
    }
    XQ_Close(handle);
    installSystem(nullptr);
}

// The whole exported call: handle lookup, the handle's lock, wait value, exchange.
void xqCommCall(benchmark::State& state) {
    CannedSystem system;
    system.addChip("/dev/hidraw0");
    timeXqComm(state, system);
}
BENCHMARK(xqCommCall);

// The same call against the chip model (reassembly, reply chunking, busy logic included).
void xqCommAgainstChipModel(benchmark::State& state) {
    fake::FakeSystem system;
    fake::FakeChip& chip = system.addChip("/dev/hidraw0");
    chip.keepRecords = false;
    chip.respond = [](const fake::Bytes&) { return fake::Bytes{0x00, 0x01}; };
    timeXqComm(state, system);
}
BENCHMARK(xqCommAgainstChipModel);

} // namespace
