#pragma once

#include "AudioCapture.h"
#include "LevelAnalyser.h"

#include <pulse/pulseaudio.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>

namespace zyne {

// Captures the monitor of the default output through the PulseAudio protocol (PulseAudio itself or
// PipeWire's pulse server). Everything talking to the server runs on the library's own loop thread;
// collect() only copies the newest samples, so the GUI thread never waits on the server.
// Follows the default output and the set of outputs, and reconnects when the server comes back.
class PulseAudioCapture final : public AudioCapture {
public:
    PulseAudioCapture();
    ~PulseAudioCapture() override;
    PulseAudioCapture(const PulseAudioCapture&) = delete;
    PulseAudioCapture& operator=(const PulseAudioCapture&) = delete;

    CaptureStatus collect(SampleWindow& window) override;

private:
    // Loop thread only (or with the loop locked).
    void connectContext();
    void dropContext();
    void resync();
    void rebuildOn(const char* sinkName);
    void openStream(const char* monitorName);
    void dropStream();
    void loseCapture(const char* why, const char* detail = nullptr);
    void startTimer(pa_time_event*& timer, pa_usec_t delay, pa_time_event_cb_t callback);
    void stopTimer(pa_time_event*& timer);

    static void onContextState(pa_context* context, void* self);
    static void onServerEvent(pa_context* context, pa_subscription_event_type_t type, uint32_t index,
                              void* self);
    static void onServerInfo(pa_context* context, const pa_server_info* info, void* self);
    static void onSinkInfo(pa_context* context, const pa_sink_info* info, int last, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onStreamRead(pa_stream* stream, size_t bytes, void* self);
    static void onStreamSuspended(pa_stream* stream, void* self);
    static void onResyncTimer(pa_mainloop_api* api, pa_time_event* timer, const struct timeval* now,
                              void* self);
    static void onReconnectTimer(pa_mainloop_api* api, pa_time_event* timer, const struct timeval* now,
                                 void* self);

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    pa_time_event* resyncTimer_ = nullptr;
    pa_time_event* reconnectTimer_ = nullptr;
    std::string sinkName_;      // the output being captured, empty when none
    bool sinksChanged_ = false; // an output was added or removed since the last rebuild
    bool reportedLoss_ = false;
    bool reportedNonFinite_ = false;

    void clearWindow();

    std::mutex windowMutex_;
    SampleWindow captured_; // guarded by windowMutex_
    // Starting until the first stream is ready or the first attempt fails.
    std::atomic<CaptureStatus> state_{CaptureStatus::Starting};
    const std::chrono::steady_clock::time_point created_ = std::chrono::steady_clock::now();
    std::atomic<bool> outputChanged_{false};
};

} // namespace zyne
