#include "PulseAudioCapture.h"

#include "SensorsLog.h"

#include <cstring>

namespace zyne {

namespace {

// Float stereo at 48 kHz is what a desktop mixes in; the server converts whatever the output uses.
constexpr pa_sample_spec kCaptureFormat{PA_SAMPLE_FLOAT32LE, 48000, 2};
// Packets of 10 ms, the usual period of a desktop output.
constexpr pa_usec_t kPacketLength = 10 * PA_USEC_PER_MSEC;
// Plugging a headset raises a burst of events; they are taken together.
constexpr pa_usec_t kResyncDelay = 100 * PA_USEC_PER_MSEC;
constexpr pa_usec_t kReconnectDelay = 1000 * PA_USEC_PER_MSEC;
// A capture that is not ready this long after creation has failed, whatever the server is doing.
constexpr std::chrono::milliseconds kStartPatience{2000};

PulseAudioCapture* owner(void* self) {
    return static_cast<PulseAudioCapture*>(self);
}

void forget(pa_operation* operation) {
    if (operation) {
        pa_operation_unref(operation);
    }
}

const char* lastError(pa_context* context) {
    return pa_strerror(pa_context_errno(context));
}

} // namespace

PulseAudioCapture::PulseAudioCapture() : loop_(pa_threaded_mainloop_new()) {
    if (!loop_) {
        loseCapture("cannot create the audio loop");
        return;
    }
    pa_threaded_mainloop_set_name(loop_, "zyne-audio");
    if (pa_threaded_mainloop_start(loop_) < 0) {
        pa_threaded_mainloop_free(loop_);
        loop_ = nullptr;
        loseCapture("cannot start the audio loop");
        return;
    }
    pa_threaded_mainloop_lock(loop_);
    connectContext();
    pa_threaded_mainloop_unlock(loop_);
}

PulseAudioCapture::~PulseAudioCapture() {
    if (!loop_) {
        return;
    }
    pa_threaded_mainloop_lock(loop_);
    stopTimer(reconnectTimer_);
    dropStream();
    dropContext();
    pa_threaded_mainloop_unlock(loop_);
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
}

CaptureStatus PulseAudioCapture::collect(SampleWindow& window) {
    if (outputChanged_.exchange(false)) {
        return CaptureStatus::OutputChanged;
    }
    CaptureStatus state = state_;
    if (state == CaptureStatus::Starting && std::chrono::steady_clock::now() - created_ > kStartPatience) {
        state = CaptureStatus::Unavailable;
    }
    if (state == CaptureStatus::Unavailable) {
        return state;
    }
    std::lock_guard<std::mutex> lock(windowMutex_);
    window = captured_;
    return state;
}

void PulseAudioCapture::connectContext() {
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "VX Zyne Plus RGB");
    if (!context_) {
        loseCapture("cannot create an audio server context");
        startTimer(reconnectTimer_, kReconnectDelay, onReconnectTimer);
        return;
    }
    pa_context_set_state_callback(context_, onContextState, this);
    pa_context_set_subscribe_callback(context_, onServerEvent, this);
    // No autospawn: starting a sound server is the desktop's business, not a light controller's.
    // A failure may already have been reported through onContextState; the timer is started once.
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        loseCapture("no audio server", lastError(context_));
        startTimer(reconnectTimer_, kReconnectDelay, onReconnectTimer);
    }
}

void PulseAudioCapture::dropContext() {
    stopTimer(resyncTimer_);
    if (!context_) {
        return;
    }
    pa_context_set_state_callback(context_, nullptr, nullptr);
    pa_context_set_subscribe_callback(context_, nullptr, nullptr);
    pa_context_disconnect(context_);
    pa_context_unref(context_);
    context_ = nullptr;
}

void PulseAudioCapture::resync() {
    forget(pa_context_get_server_info(context_, onServerInfo, this));
}

void PulseAudioCapture::rebuildOn(const char* sinkName) {
    if (!sinkName_.empty()) {
        outputChanged_ = true;
    }
    dropStream();
    sinkName_ = sinkName;
    sinksChanged_ = false;
    // The default is named, never "@DEFAULT_MONITOR@", so a later change of default is seen as one.
    forget(pa_context_get_sink_info_by_name(context_, sinkName, onSinkInfo, this));
}

void PulseAudioCapture::openStream(const char* monitorName) {
    stream_ = pa_stream_new(context_, "Output level", &kCaptureFormat, nullptr);
    if (!stream_) {
        loseCapture("cannot create a capture stream");
        return;
    }
    pa_stream_set_state_callback(stream_, onStreamState, this);
    pa_stream_set_read_callback(stream_, onStreamRead, this);
    pa_stream_set_suspended_callback(stream_, onStreamSuspended, this);
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<uint32_t>(-1);
    buffer.fragsize = static_cast<uint32_t>(pa_usec_to_bytes(kPacketLength, &kCaptureFormat));
    // Listening must not keep an idle output awake; a moved stream would silently follow the wrong output.
    const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY | PA_STREAM_DONT_MOVE |
                                                      PA_STREAM_DONT_INHIBIT_AUTO_SUSPEND);
    if (pa_stream_connect_record(stream_, monitorName, &buffer, flags) < 0) {
        qCWarning(lcSensors) << "output level: cannot capture" << monitorName << ':' << lastError(context_);
        dropStream();
        loseCapture("capture refused");
        return;
    }
}

void PulseAudioCapture::clearWindow() {
    std::lock_guard<std::mutex> lock(windowMutex_);
    captured_.fillSilence();
}

void PulseAudioCapture::dropStream() {
    if (!stream_) {
        return;
    }
    // What the old stream heard is not what the next one will: a suspended output sends nothing
    // to overwrite it, and the level would stay where it was for ever.
    clearWindow();
    pa_stream_set_state_callback(stream_, nullptr, nullptr);
    pa_stream_set_read_callback(stream_, nullptr, nullptr);
    pa_stream_set_suspended_callback(stream_, nullptr, nullptr);
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
    stream_ = nullptr;
}

void PulseAudioCapture::loseCapture(const char* why, const char* detail) {
    state_ = CaptureStatus::Unavailable;
    // Once per loss: without a server this is retried every second.
    if (!reportedLoss_) {
        qCWarning(lcSensors) << "output level unavailable:" << why << (detail ? detail : "");
        reportedLoss_ = true;
    }
}

void PulseAudioCapture::startTimer(pa_time_event*& timer, pa_usec_t delay, pa_time_event_cb_t callback) {
    if (timer) {
        return;
    }
    timeval when{};
    pa_timeval_add(pa_gettimeofday(&when), delay);
    pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
    timer = api->time_new(api, &when, callback, this);
}

void PulseAudioCapture::stopTimer(pa_time_event*& timer) {
    if (!timer) {
        return;
    }
    pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
    api->time_free(timer);
    timer = nullptr;
}

void PulseAudioCapture::onContextState(pa_context* context, void* self) {
    PulseAudioCapture* capture = owner(self);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        qCInfo(lcSensors) << "audio server connected";
        forget(pa_context_subscribe(
            context,
            static_cast<pa_subscription_mask_t>(PA_SUBSCRIPTION_MASK_SERVER | PA_SUBSCRIPTION_MASK_SINK),
            nullptr, nullptr));
        capture->resync();
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        // The context itself is dropped by the reconnect, outside its own callback.
        capture->dropStream();
        capture->stopTimer(capture->resyncTimer_);
        capture->sinkName_.clear();
        capture->sinksChanged_ = false;
        capture->loseCapture("the audio server went away", lastError(context));
        capture->startTimer(capture->reconnectTimer_, kReconnectDelay, onReconnectTimer);
        break;
    default:
        break;
    }
}

void PulseAudioCapture::onServerEvent(pa_context*, pa_subscription_event_type_t type, uint32_t, void* self) {
    PulseAudioCapture* capture = owner(self);
    const auto facility = type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
    const auto kind = type & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
    if (facility == PA_SUBSCRIPTION_EVENT_SINK) {
        // A volume change is a sink "change" too; only plugging and unplugging matter.
        if (kind == PA_SUBSCRIPTION_EVENT_CHANGE) {
            return;
        }
        capture->sinksChanged_ = true;
    }
    capture->startTimer(capture->resyncTimer_, kResyncDelay, onResyncTimer);
}

void PulseAudioCapture::onServerInfo(pa_context* context, const pa_server_info* info, void* self) {
    PulseAudioCapture* capture = owner(self);
    if (!info) {
        capture->loseCapture("the audio server did not describe its outputs", lastError(context));
        return;
    }
    const char* sink = info->default_sink_name;
    if (!sink || !*sink) {
        capture->dropStream();
        capture->sinkName_.clear();
        capture->loseCapture("no output device");
        return;
    }
    if (capture->stream_ && capture->sinkName_ == sink && !capture->sinksChanged_) {
        return;
    }
    qCInfo(lcSensors) << "output level: following output" << sink;
    capture->rebuildOn(sink);
}

void PulseAudioCapture::onSinkInfo(pa_context* context, const pa_sink_info* info, int last, void* self) {
    PulseAudioCapture* capture = owner(self);
    if (!info) {
        if (last < 0) {
            capture->loseCapture("the default output vanished", lastError(context));
            capture->startTimer(capture->resyncTimer_, kResyncDelay, onResyncTimer);
        }
        return;
    }
    // A newer rebuild may already have moved on to another output.
    if (capture->stream_ || capture->sinkName_ != info->name) {
        return;
    }
    capture->openStream(info->monitor_source_name);
}

void PulseAudioCapture::onStreamState(pa_stream* stream, void* self) {
    PulseAudioCapture* capture = owner(self);
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
        // A stream that starts on a suspended output hears nothing until it wakes.
        if (pa_stream_is_suspended(stream) == 1) {
            capture->clearWindow();
        }
        capture->state_ = CaptureStatus::Capturing;
        capture->reportedLoss_ = false;
        capture->reportedNonFinite_ = false;
        qCInfo(lcSensors) << "output level: capturing" << pa_stream_get_device_name(stream);
        break;
    case PA_STREAM_FAILED:
        qCWarning(lcSensors) << "output level: capture ended:" << lastError(pa_stream_get_context(stream));
        capture->state_ = CaptureStatus::Unavailable;
        capture->dropStream();
        capture->startTimer(capture->resyncTimer_, kResyncDelay, onResyncTimer);
        break;
    default:
        break;
    }
}

void PulseAudioCapture::onStreamRead(pa_stream* stream, size_t, void* self) {
    PulseAudioCapture* capture = owner(self);
    const void* data = nullptr;
    size_t bytes = 0;
    while (pa_stream_readable_size(stream) > 0 && pa_stream_peek(stream, &data, &bytes) == 0 && bytes > 0) {
        // A null packet is a hole in the stream: nothing to add.
        if (data) {
            std::size_t nonFinite = 0;
            {
                std::lock_guard<std::mutex> lock(capture->windowMutex_);
                nonFinite = capture->captured_.addPacket(static_cast<const float*>(data),
                                                         bytes / pa_frame_size(&kCaptureFormat));
            }
            if (nonFinite > 0 && !capture->reportedNonFinite_) {
                qCWarning(lcSensors) << "output level: the server sent" << nonFinite
                                     << "non-finite samples; taken as silence";
                capture->reportedNonFinite_ = true;
            }
        }
        pa_stream_drop(stream);
    }
}

void PulseAudioCapture::onStreamSuspended(pa_stream* stream, void* self) {
    // A suspended output plays nothing, and its monitor stops sending: the level is that of silence.
    if (pa_stream_is_suspended(stream) == 1) {
        owner(self)->clearWindow();
    }
}

void PulseAudioCapture::onResyncTimer(pa_mainloop_api* api, pa_time_event* timer, const struct timeval*,
                                      void* self) {
    PulseAudioCapture* capture = owner(self);
    api->time_free(timer);
    capture->resyncTimer_ = nullptr;
    capture->resync();
}

void PulseAudioCapture::onReconnectTimer(pa_mainloop_api* api, pa_time_event* timer, const struct timeval*,
                                         void* self) {
    PulseAudioCapture* capture = owner(self);
    api->time_free(timer);
    capture->reconnectTimer_ = nullptr;
    capture->dropContext();
    capture->connectContext();
}

} // namespace zyne
