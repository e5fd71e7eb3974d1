#pragma once

#include "EffectFrames.h"
#include "ScriptReader.h"

#include <vector>

namespace zyne {

// Plays a user lighting script: one frame per tick of the script timer, round and round. Unlike
// the effect playback it ignores the ports' light modes: the frame names its boxes and fans.
class ScriptPlayer {
public:
    // Replaces the frames; the next tick plays the first of the new ones.
    void load(std::vector<UserScriptFrame> frames);
    bool isEmpty() const { return userScriptList.empty(); }
    int count() const { return int(userScriptList.size()); }
    // The frame the next tick plays.
    int nextIndex() const { return m_next; }

    // One tick: the LED colours of every fan entry of the next frame (brightness not applied) for
    // the Plus boxes that are open; then the frame after. False when there is nothing to play.
    bool tick(const BoxRecords& boxes, PortFrames& frames);

private:
    std::vector<UserScriptFrame> userScriptList;
    int m_next = 0;
};

} // namespace zyne
