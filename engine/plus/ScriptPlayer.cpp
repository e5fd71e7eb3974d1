#include "ScriptPlayer.h"

namespace zyne {

void ScriptPlayer::load(std::vector<UserScriptFrame> frames) {
    userScriptList = std::move(frames);
    m_next = 0;
}

bool ScriptPlayer::tick(const BoxRecords& boxes, PortFrames& frames) {
    if (userScriptList.empty())
        return false;
    for (const UserScriptController& controller : userScriptList[std::size_t(m_next)]) {
        // The reader keeps box and fan numbers in range; a frame from elsewhere is checked too.
        if (!isBoxIndex(controller.boxIndex) || !boxes[std::size_t(controller.boxIndex)].isPlusConnected())
            continue;
        for (const UserScriptData& fan : controller.fans) {
            if (!isPlusPortIndex(fan.fanIndex))
                continue;
            PortFrame frame{controller.boxIndex, fan.fanIndex, kModeStaticFrame, {}};
            for (int led = 0; led < kLedCount; ++led) {
                const auto k = std::size_t(led);
                setLed(frame.leds, led, colourByte(fan.rColor[k], 1.0f), colourByte(fan.gColor[k], 1.0f),
                       colourByte(fan.bColor[k], 1.0f));
            }
            frames.push_back(frame);
        }
    }
    if (++m_next >= int(userScriptList.size()))
        m_next = 0;
    return true;
}

} // namespace zyne
