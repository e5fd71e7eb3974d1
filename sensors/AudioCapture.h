#pragma once

namespace zyne {

class SampleWindow;

enum class CaptureStatus {
    Starting,      // still connecting (briefly, after creation): the window holds silence so far
    Capturing,     // the window holds what the default output played
    OutputChanged, // the capture was moved to another output since the last call
    Unavailable,   // no output can be captured (no audio server, no output device)
};

// Where the level meter gets the samples of what the computer plays.
class AudioCapture {
public:
    virtual ~AudioCapture() = default;

    // Never blocks. Brings window up to date with what was captured since the last call.
    // OutputChanged is reported once per change.
    virtual CaptureStatus collect(SampleWindow& window) = 0;
};

} // namespace zyne
