#include "MeteorEffect.h"

#include "PortColours.h"

#include <QLoggingCategory>

#include <algorithm>

Q_DECLARE_LOGGING_CATEGORY(lcPlus)

namespace zyne::meteor {

namespace {
constexpr int kTickWrap = 48;
constexpr int kPumpHeadLeds = 6;

const RainbowFanState& fanAt(const BoxRecords& boxes, const LedPosition& at) {
    return boxes[static_cast<std::size_t>(at.box)].rainbowFan[static_cast<std::size_t>(at.port)];
}

// A port an AWT box doesn't have is in no mode, and neither is a switched-off port unless the
// series panel runs the meteor.
int modeAt(const MeteorState& state, const BoxRecords& boxes, int box, int port) {
    const ControllerBox& record = boxes[static_cast<std::size_t>(box)];
    if (port >= effectPorts(record))
        return -1;
    if (switchedOff(record.rainbowFan[static_cast<std::size_t>(port)]) && !state.seriesRun)
        return -1;
    return followedMode(record, port);
}

PortFrame meteorPortFrame(const LedPosition& at, const RainbowFanState& fan, const LedTriples& leds) {
    return {at.box, at.port, kModeStaticFrame, leds, awtFrameType(fan, AwtMeteor, AwtMeteor9)};
}

// The meteor LEDs lying on a port. Positions are matched by box as well as port, so a meteor that
// runs on into another box leaves no LEDs lit on a port of the same number behind it.
template <typename Fn> void forEachMark(const MeteorState& state, int box, int port, Fn fn) {
    for (const LedPosition* at : {&state.head, &state.previous, &state.beforePrevious}) {
        if (at->box == box && at->port == port)
            fn(at->led);
    }
}

unsigned char byteOf(int channel) {
    return colourByte(channel, 1.0f);
}

// Draws a port by its mode; other modes get nothing.
void draw(const MeteorState& state, const BoxRecords& boxes, const SeriesSettings& series,
          const LedPosition& at, PortFrames& frames) {
    const RainbowFanState& fan = fanAt(boxes, at);
    const int mode = modeAt(state, boxes, at.box, at.port);
    if (mode == lightmode::ShootingStar)
        frames.push_back(meteorPortFrame(at, fan, meteorFrame(state, at.box, at.port, fan)));
    else if (mode == lightmode::BlackHole)
        frames.push_back(meteorPortFrame(at, fan, shadowFrame(state, at.box, at.port, fan, series)));
}

// The meteor has left a port for good: dark again, or back to its own colours.
void release(const MeteorState& state, const BoxRecords& boxes, const LedPosition& at, PortFrames& frames) {
    const RainbowFanState& fan = fanAt(boxes, at);
    const int mode = modeAt(state, boxes, at.box, at.port);
    if (mode == lightmode::ShootingStar)
        frames.push_back(meteorPortFrame(at, fan, LedTriples{}));
    else if (mode == lightmode::BlackHole)
        frames.push_back(meteorPortFrame(at, fan, restoreFrame(state.seriesColorMode, fan)));
}

// Moves the head to the next port in a meteor mode; false when two passes over every box found none.
bool searchNextPort(const MeteorState& state, LedPosition& head, const BoxRecords& boxes) {
    head.led = 0;
    ++head.port;
    int wraps = 0;
    for (;;) {
        if (head.port >= kPlusPortCount) {
            qCDebug(lcPlus) << "meteor[0].fanIndex > 4";
            head.port = 0;
            if (++head.box >= kBoxCount) {
                head.box = 0;
                if (++wraps >= 2)
                    return false;
            }
        }
        if (lightmode::isMeteor(modeAt(state, boxes, head.box, head.port))) {
            qCDebug(lcPlus) << "lightModeType == 17.18";
            return true;
        }
        ++head.port;
    }
}

// The search, and the dashed line that closes it in the log.
bool advanceToNextPort(MeteorState& state, const BoxRecords& boxes) {
    const bool found = searchNextPort(state, state.head, boxes);
    qCDebug(lcPlus) << "--------------------------------------------------";
    return found;
}
} // namespace

bool isSeriesMeteor(int seriesLightMode) {
    return seriesLightMode == 1 || seriesLightMode == 2;
}

void start(MeteorState& state, int box, int port, int variant) {
    state.seriesLightMode = variant;
    // The trail stays behind: the port it lies on is darkened or restored once the trail has left it.
    state.head = LedPosition{box, port, 0};
    state.tick = 0;
}

bool tick(MeteorState& state, const BoxRecords& boxes, const SeriesSettings& series, PortFrames& frames) {
    bool open = true;
    const int divisor = std::clamp(fanAt(boxes, state.head).lightSpeed, 0, 3) + 1;
    if (state.tick % divisor == 0) {
        if (!state.beforePrevious.onSamePort(state.previous))
            release(state, boxes, state.beforePrevious, frames);
        state.beforePrevious = state.previous;
        state.previous = state.head;
        if (++state.head.led >= kLedCount)
            open = advanceToNextPort(state, boxes);
        if (lightmode::isMeteor(modeAt(state, boxes, state.head.box, state.head.port))) {
            draw(state, boxes, series, state.head, frames);
            if (!state.head.onSamePort(state.previous))
                draw(state, boxes, series, state.previous, frames);
            else if (!state.head.onSamePort(state.beforePrevious))
                draw(state, boxes, series, state.beforePrevious, frames);
        }
    }
    if (++state.tick >= kTickWrap)
        state.tick = 0;
    return open;
}

LedTriples meteorFrame(const MeteorState& state, int box, int port, const RainbowFanState& fan) {
    LedTriples leds{};
    forEachMark(state, box, port, [&](int led) {
        if (state.seriesColorMode == 1)
            setLedFromEntry(leds, led, fan, kWholeFanEntry);
        else if (fan.FanType == kFanTypePumpHead) {
            // A pump head's six LEDs take the odd colour entries.
            if (led < kPumpHeadLeds)
                setLedFromEntry(leds, led, fan, 2 * led + 1);
        } else
            setLedFromEntry(leds, led, fan, led);
    });
    return leds;
}

LedTriples shadowFrame(const MeteorState& state, int box, int port, const RainbowFanState& fan,
                       const SeriesSettings& series) {
    LedTriples leds{};
    if (state.seriesColorMode == 0 || state.seriesColorMode == 1) {
        for (int led = 0; led < kLedCount; ++led) {
            const auto e = static_cast<std::size_t>(state.seriesColorMode == 1 ? kWholeFanEntry : led);
            setLed(leds, led, byteOf(series.red[e]), byteOf(series.green[e]), byteOf(series.blue[e]));
        }
    }
    const bool sixLeds = state.seriesColorMode != 1 && fan.FanType == kFanTypePumpHead;
    forEachMark(state, box, port, [&](int led) {
        if (!sixLeds || led < kPumpHeadLeds)
            setLed(leds, led, 0, 0, 0);
    });
    return leds;
}

LedTriples restoreFrame(int seriesColorMode, const RainbowFanState& fan) {
    LedTriples leds{};
    if (seriesColorMode != 0 && seriesColorMode != 1)
        return leds;
    for (int led = 0; led < kLedCount; ++led) {
        const auto e = static_cast<std::size_t>(seriesColorMode == 1 ? kWholeFanEntry : led);
        setLed(leds, led, byteOf(fan.RColor[e]), byteOf(fan.GColor[e]), byteOf(fan.BColor[e]));
    }
    return leds;
}

} // namespace zyne::meteor
