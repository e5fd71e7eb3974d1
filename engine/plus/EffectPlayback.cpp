#include "EffectPlayback.h"

namespace zyne {

void EffectPlayback::load(std::vector<EffectFrame> frames) {
    m_frames = std::move(frames);
    m_index = 0;
}

void EffectPlayback::advance() {
    if (++m_index >= static_cast<int>(m_frames.size()))
        m_index = 0;
}

LedTriples EffectPlayback::controllerFrame(const EffectFrame& frame) {
    LedTriples leds{};
    for (int led = 0; led < kLedCount; ++led) {
        const auto k = static_cast<std::size_t>(led);
        setLed(leds, led, colourByte(frame.red[k], 1.0f), colourByte(frame.green[k], 1.0f),
               colourByte(frame.blue[k], 1.0f));
    }
    return leds;
}

bool EffectPlayback::tick(const BoxRecords& boxes, PortFrames& frames) {
    if (m_frames.empty())
        return false;
    const LedTriples leds = controllerFrame(current());
    bool used = false;
    for (int b = 0; b < kBoxCount; ++b) {
        const ControllerBox& box = boxes[static_cast<std::size_t>(b)];
        if (!box.isConnected && box.boxType != BoxAwt)
            continue;
        for (int p = 0; p < effectPorts(box); ++p) {
            const RainbowFanState& fan = box.rainbowFan[static_cast<std::size_t>(p)];
            if (fan.lightMode != lightmode::Playback || switchedOff(fan))
                continue;
            used = true;
            if (drawsEffects(box))
                frames.push_back({b, p, kModeStaticFrame, leds, awtFrameType(fan, AwtEffect, AwtEffect9)});
        }
    }
    return used;
}

} // namespace zyne
