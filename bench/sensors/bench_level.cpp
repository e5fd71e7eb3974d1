// CPU time of one output-level query, without the audio server: the capture hands over one 10 ms
// packet per query, as the real one does while music plays.
#include "AudioCapture.h"
#include "ComputerVolume.h"
#include "LevelAnalyser.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

class TonePackets : public zyne::AudioCapture {
public:
    TonePackets() : packet_(2 * 480) {
        for (std::size_t i = 0; i < packet_.size(); ++i) {
            packet_[i] = static_cast<float>(0.5 * std::sin(static_cast<double>(i) * 0.05));
        }
    }
    zyne::CaptureStatus collect(zyne::SampleWindow& window) override {
        window.addPacket(packet_.data(), packet_.size() / 2);
        return zyne::CaptureStatus::Capturing;
    }

private:
    std::vector<float> packet_;
};

void levelQuery(benchmark::State& state) {
    ComputerVolume meter(std::make_unique<TonePackets>());
    for (auto _ : state) {
        benchmark::DoNotOptimize(meter.getVolumeLevel());
    }
}
BENCHMARK(levelQuery);

void spectrumOnly(benchmark::State& state) {
    zyne::LevelAnalyser analyser;
    zyne::SampleWindow window;
    TonePackets().collect(window);
    for (auto _ : state) {
        benchmark::DoNotOptimize(analyser.read(window));
    }
}
BENCHMARK(spectrumOnly);

} // namespace

BENCHMARK_MAIN();
