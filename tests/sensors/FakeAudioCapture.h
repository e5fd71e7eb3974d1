#pragma once

#include "AudioCapture.h"
#include "LevelAnalyser.h"

#include <deque>
#include <vector>

// Hands out scripted packets and statuses, one step per collect().
class FakeAudioCapture : public zyne::AudioCapture {
public:
    struct Step {
        zyne::CaptureStatus status = zyne::CaptureStatus::Capturing;
        std::vector<float> packet; // interleaved, every value counted as one frame
    };

    explicit FakeAudioCapture(std::deque<Step>* steps) : steps_(steps) {}

    zyne::CaptureStatus collect(zyne::SampleWindow& window) override {
        if (steps_->empty()) {
            return zyne::CaptureStatus::Capturing;
        }
        Step step = std::move(steps_->front());
        steps_->pop_front();
        window.addPacket(step.packet.data(), step.packet.size());
        return step.status;
    }

private:
    std::deque<Step>* steps_;
};
