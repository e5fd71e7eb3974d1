#include "CrossEffect.h"

#include "PortColours.h"

#include <algorithm>

namespace zyne::cross {

LedTriples frame(const RainbowFanState& fan, int position) {
    LedTriples leds{};
    const bool whole = fan.colorMode == 1;
    auto light = [&](int led, int entry) { setLedFromEntry(leds, led, fan, whole ? kWholeFanEntry : entry); };
    if (fan.FanType == kFanTypePumpHead) {
        // Six LEDs: the pair meets itself at 0 and 3.
        const int g = position % 6;
        light(g, g);
        if (g != 0 && g != 3)
            light(6 - g, 6 - g);
        return leds;
    }
    light(position, position);
    if (position != 0 && position != 6)
        light(12 - position, 11 - position);
    return leds;
}

std::vector<CrossStep> tick(BoxRecords& boxes, PortFrames& frames) {
    std::vector<CrossStep> steps;
    for (int b = 0; b < kBoxCount; ++b) {
        ControllerBox& box = boxes[static_cast<std::size_t>(b)];
        if (!box.isConnected && box.boxType != BoxAwt)
            continue;
        for (int p = 0; p < effectPorts(box); ++p) {
            RainbowFanState& fan = box.rainbowFan[static_cast<std::size_t>(p)];
            int mode = fan.lightMode;
            if (mode == lightmode::Copy) {
                mode = box.rainbowFan[0].lightMode;
                fan.copyLightMode = mode;
            }
            if (mode != lightmode::Cross || switchedOff(fan))
                continue;
            int& counter = fan.spareInt2;
            if (counter >= kStepWrap || counter < 0)
                counter = 0;
            const int speed = std::clamp(fan.lightSpeed, 0, 3);
            const int position = (counter / (speed + 1)) % kLedCount;
            steps.push_back({b, p, position});
            if (drawsEffects(box))
                frames.push_back({b, p, kModeStaticFrame, frame(fan, position),
                                  awtFrameType(fan, AwtCross, AwtCross2), position});
            ++counter;
        }
    }
    return steps;
}

} // namespace zyne::cross
