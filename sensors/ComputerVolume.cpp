#include "ComputerVolume.h"

#include "PulseAudioCapture.h"
#include "SensorsLog.h"

ComputerVolume::ComputerVolume(QObject* parent)
    : ComputerVolume(std::make_unique<zyne::PulseAudioCapture>(), parent) {}

ComputerVolume::ComputerVolume(std::unique_ptr<zyne::AudioCapture> capture, QObject* parent)
    : QObject(parent), capture_(std::move(capture)) {}

ComputerVolume::~ComputerVolume() = default;

int ComputerVolume::getVolumeLevel() {
    const zyne::CaptureStatus status = capture_->collect(window_);
    // Logged on change only: the query runs every 50 ms.
    if (status != lastStatus_) {
        switch (status) {
        case zyne::CaptureStatus::Starting:
            break;
        case zyne::CaptureStatus::Capturing:
            qCInfo(lcSensors) << "level query: reading the output again";
            break;
        case zyne::CaptureStatus::OutputChanged:
            qCInfo(lcSensors) << "level query: the output changed, capture rebuilt";
            break;
        case zyne::CaptureStatus::Unavailable:
            qCWarning(lcSensors) << "level query: no output can be captured";
            break;
        }
        lastStatus_ = status;
    }
    // A capture still connecting has failed at nothing: it reads as the silence it has so far.
    if (status != zyne::CaptureStatus::Capturing && status != zyne::CaptureStatus::Starting) {
        return -1;
    }
    return analyser_.read(window_);
}
