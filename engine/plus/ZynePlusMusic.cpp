#include "ComputerVolume.h"
#include "SelectedBox.h"
#include "ZynePlusCommandHelper.h"

namespace zyne {

namespace {
bool isComputerMusicMode(int lightMode) {
    return lightMode >= 8 && lightMode <= 10;
}
} // namespace

bool ZynePlusCommandHelper::anyPortFollowsComputerMusic() const {
    for (int b = 0; b < kBoxCount; ++b) {
        if (!box(b).isConnected && box(b).boxType != BoxAwt)
            continue;
        for (const RainbowFanState& fan : box(b).rainbowFan) {
            const int mode = fan.lightMode == 7 ? box(b).rainbowFan[0].lightMode : fan.lightMode;
            if (isComputerMusicMode(mode))
                return true;
        }
    }
    return false;
}

ComputerVolume& ZynePlusCommandHelper::computerVolume() {
    if (!m_computerVolume)
        m_computerVolume = new ComputerVolume(this);
    return *m_computerVolume;
}

void ZynePlusCommandHelper::getVolumeValue(int) {
    // Nobody listens any more: the level stops being read until a port enters a music mode again.
    if (!anyPortFollowsComputerMusic()) {
        emit sendCloseComputerMusicTimer();
        return;
    }
    const int level = computerVolume().getVolumeLevel();
    qCDebug(lcPlus) << "ZynePlusCommandHelper--getVolumeValue:" << level;
    if (level >= 0) {
        m_computerMusicLevel = level;
        return;
    }
    // Nothing can be heard: warn about every port of the shown box that follows the PC's music.
    const int shown = selectedBox();
    for (int p = 0; p < kPlusPortCount; ++p) {
        if (isComputerMusicMode(port(shown, p).lightMode))
            emit sendVolWarning(shown, p);
    }
}

} // namespace zyne
