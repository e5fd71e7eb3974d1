#pragma once

#include "AudioCapture.h"
#include "LevelAnalyser.h"

#include <QObject>

#include <memory>

// Level of what the computer is playing, for the music light modes.
class ComputerVolume : public QObject {
    Q_OBJECT
public:
    // Captures the default output through the audio server.
    explicit ComputerVolume(QObject* parent = nullptr);
    ComputerVolume(std::unique_ptr<zyne::AudioCapture> capture, QObject* parent = nullptr);
    ~ComputerVolume() override;

    // Never blocks. The level 0..100 of the newest output (silence while the capture is still
    // connecting), or -1 when the output can't be captured or the capture has just moved to another
    // output.
    int getVolumeLevel();

private:
    std::unique_ptr<zyne::AudioCapture> capture_;
    zyne::SampleWindow window_;
    zyne::LevelAnalyser analyser_;
    zyne::CaptureStatus lastStatus_ = zyne::CaptureStatus::Capturing;
};
