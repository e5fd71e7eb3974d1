#pragma once

#include <array>
#include <cstddef>

struct kiss_fftr_state;

namespace zyne {

// The newest samples of the output, newest last. Shared between the capture thread and the query,
// so it is a plain value type that the capture side copies out under its own lock.
class SampleWindow {
public:
    static constexpr std::size_t kSize = 256;

    // Takes every fourth value of the first frameCount values of an interleaved float packet,
    // scaled by the input gain. Non-finite values count as silence. Returns how many were non-finite.
    std::size_t addPacket(const float* samples, std::size_t frameCount);
    // The output went quiet (the device was suspended): nothing is playing.
    void fillSilence();
    // The window from oldest to newest.
    std::array<float, kSize> inOrder() const;

private:
    void push(float sample);

    std::array<float, kSize> ring_{};
    std::size_t next_ = 0;
};

// Turns the sample window into a 0..100 level: Hann window, 256-point real FFT, a rising weight over
// frequency, a log-plus-linear loudness per bin, a held spectrum that falls by a fifth per reading
// and rises at once, averaged over blocks of eight entries.
class LevelAnalyser {
public:
    LevelAnalyser();
    ~LevelAnalyser();
    LevelAnalyser(const LevelAnalyser&) = delete;
    LevelAnalyser& operator=(const LevelAnalyser&) = delete;

    // One reading: decays the held spectrum, folds the window in and returns the level 0..100.
    int read(const SampleWindow& window);

private:
    static constexpr std::size_t kSize = SampleWindow::kSize;

    kiss_fftr_state* fft_;
    std::array<float, kSize> hann_{};
    std::array<float, kSize> weight_{};
    std::array<float, kSize> held_{};
};

} // namespace zyne
