#pragma once

#include "EffectFrame.h"

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace zyne {

struct DemoColour {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// A built-in light show: the constructor of each kind composes its frames in a work frame and
// appends copies of it to the list, which the engine then plays in mode 16.
class DemoEffect {
public:
    virtual ~DemoEffect() = default;
    const std::vector<EffectFrame>& frames() const { return userScriptList; }
    std::vector<EffectFrame> takeFrames() { return std::move(userScriptList); }

    // Colour k of the 12-step hue circle of the profile defaults.
    static DemoColour hueCircle(int led);

protected:
    static constexpr DemoColour kDark{0, 0, 0};
    static constexpr DemoColour kWhite{255, 255, 255};
    static constexpr DemoColour kRed{255, 0, 0};

    void append() { userScriptList.push_back(work); }
    void appendTimes(int times);
    // Every LED dark with brightness 0.
    void clearAll();
    void fillAll(DemoColour colour, int bright = 100);
    void setLed(int led, DemoColour colour, int bright = 100);
    // Sets LEDs outside 0..11 to nothing, so tails may run off either end of the ring.
    void setLedIfOnRing(int led, DemoColour colour, int bright = 100);
    void fillHueCircle();

    // Frames of all LEDs (n, n, n) for n = from, from + step, ... while within [low, high].
    void whiteFade(int from, int step, int low, int high);
    // A three-LED comet entering at LED 0 and leaving past LED 11 (14 frames); the tail LEDs
    // have their own colours and brightness.
    void comet(DemoColour head, DemoColour tail1, DemoColour tail2, int headBright = 100,
               int tail1Bright = 100, int tail2Bright = 100);
    // For d = 0..11 on dark LEDs: LED d alone in `single` when d is 0 or 5, otherwise LED d in `first`
    // and LED 11 - d in `second`. darkAfter appends a dark frame after each.
    void pairSweep(DemoColour single, DemoColour first, DemoColour second, bool darkAfter = false);

    // Six-position ripple step: the trail moves on one LED; LEDs at positions 0..5 show
    // colourAt(position, led) over the background; appended. darkAfter appends a dark frame too.
    void rippleStep(const std::function<DemoColour(int, int)>& colourAt, DemoColour background = kDark,
                    bool darkAfter = false);
    void rippleStep(const std::array<DemoColour, 6>& trail, DemoColour background = kDark,
                    bool darkAfter = false);
    // Three-position step of the same trail: positions 0..2 show `trail` over the background.
    void shortTrailStep(DemoColour background, DemoColour trail);

    EffectFrame work;
    std::vector<EffectFrame> userScriptList;
    // LED positions of the trail, head first; shared by every phase of one show.
    std::array<int, 6> rippleBody{};

private:
    void moveTrail(int length);
};

// The frames of demo effect `number` (0 HelloVX .. 8 VXNumberOne); nothing for other numbers.
std::optional<std::vector<EffectFrame>> demoEffectFrames(int number);

} // namespace zyne
