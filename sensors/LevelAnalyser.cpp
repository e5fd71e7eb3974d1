#include "LevelAnalyser.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>

namespace zyne {

namespace {

constexpr float kInputGain = 100.0f;
// Far beyond full scale: a value past it is garbage, and clamping keeps the FFT finite.
constexpr float kLargestSample = 1000.0f;
constexpr std::size_t kTakeEvery = 4;
constexpr float kKeptPerReading = 0.8f;
constexpr std::size_t kSmoothingWidth = 8;
constexpr std::size_t kEntriesPerBin = 4;
constexpr std::size_t kBins = 64;
// Entry 10 after smoothing is the mean of bins 2 and 3: the bass the lights follow.
constexpr std::size_t kLevelEntry = 10;

} // namespace

std::size_t SampleWindow::addPacket(const float* samples, std::size_t frameCount) {
    std::size_t nonFinite = 0;
    for (std::size_t i = 0; i < frameCount; i += kTakeEvery) {
        const float sample = samples[i];
        if (!std::isfinite(sample)) {
            ++nonFinite;
            push(0.0f);
            continue;
        }
        push(std::clamp(sample, -kLargestSample, kLargestSample) * 2.0f * kInputGain);
    }
    return nonFinite;
}

void SampleWindow::fillSilence() {
    ring_.fill(0.0f);
}

std::array<float, SampleWindow::kSize> SampleWindow::inOrder() const {
    std::array<float, kSize> ordered;
    std::rotate_copy(ring_.begin(), ring_.begin() + static_cast<std::ptrdiff_t>(next_), ring_.end(),
                     ordered.begin());
    return ordered;
}

void SampleWindow::push(float sample) {
    ring_[next_] = sample;
    next_ = (next_ + 1) % kSize;
}

LevelAnalyser::LevelAnalyser() : fft_(kiss_fftr_alloc(static_cast<int>(kSize), 0, nullptr, nullptr)) {
    const double pi = std::acos(-1.0);
    for (std::size_t i = 0; i < kSize; ++i) {
        hann_[i] = static_cast<float>(0.5 * (1.0 - std::cos(2.0 * pi * static_cast<double>(i) / kSize)));
        weight_[i] = static_cast<float>(0.1 + 2.0 * static_cast<double>(i) / kSize);
    }
}

LevelAnalyser::~LevelAnalyser() {
    kiss_fftr_free(fft_);
}

int LevelAnalyser::read(const SampleWindow& window) {
    for (float& entry : held_) {
        entry *= kKeptPerReading;
    }

    std::array<float, kSize> timeData = window.inOrder();
    for (std::size_t i = 0; i < kSize; ++i) {
        timeData[i] *= hann_[i];
    }
    std::array<kiss_fft_cpx, kSize / 2 + 1> spectrum;
    kiss_fftr(fft_, timeData.data(), spectrum.data());

    for (std::size_t k = 0; k < kBins; ++k) {
        // The weight runs over the interleaved (re, im) values, so both parts of a bin differ slightly.
        const float re = spectrum[k].r * weight_[2 * k];
        const float im = spectrum[k].i * weight_[2 * k + 1];
        const float magnitude = std::sqrt(re * re + im * im);
        // log10(0) is -inf, which the max below turns into "no change".
        const float loudness = std::min(0.5f * std::log10(1.1f * magnitude) + 0.9f * magnitude, 1.0f);
        float* bin = &held_[kEntriesPerBin * k];
        bin[0] = std::max({bin[0], loudness, 0.0f});
        std::fill(bin + 1, bin + kEntriesPerBin, bin[0]);
    }

    for (std::size_t block = 0; block < kSize; block += kSmoothingWidth) {
        float sum = 0.0f;
        for (std::size_t i = block; i < block + kSmoothingWidth; ++i) {
            sum += held_[i];
        }
        std::fill(held_.begin() + static_cast<std::ptrdiff_t>(block),
                  held_.begin() + static_cast<std::ptrdiff_t>(block + kSmoothingWidth),
                  sum / kSmoothingWidth);
    }
    return static_cast<int>(held_[kLevelEntry] * 100.0f);
}

} // namespace zyne
