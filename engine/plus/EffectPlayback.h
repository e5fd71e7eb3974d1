#pragma once

#include "EffectFrame.h"
#include "EffectFrames.h"

#include <vector>

namespace zyne {

// The frame list that mode 16 plays, one frame per 70 ms tick, round and round. Demo effects and
// user scripts fill it.
class EffectPlayback {
public:
    // Replaces the list and starts again from its first frame.
    void load(std::vector<EffectFrame> frames);
    void clear() { load({}); }
    bool isEmpty() const { return m_frames.empty(); }
    const std::vector<EffectFrame>& frames() const { return m_frames; }
    int index() const { return m_index; }

    // Only valid while the list is not empty.
    const EffectFrame& current() const { return m_frames[static_cast<std::size_t>(m_index)]; }
    void advance();

    // One tick: the current frame for every connected port in mode 16, then the next frame.
    // False when there is nothing to play or nobody to play it on.
    bool tick(const BoxRecords& boxes, PortFrames& frames);

    // The current frame as the controllers show it: colours as they stand, brightness not applied.
    static LedTriples controllerFrame(const EffectFrame& frame);

private:
    std::vector<EffectFrame> m_frames;
    int m_index = 0;
};

} // namespace zyne
