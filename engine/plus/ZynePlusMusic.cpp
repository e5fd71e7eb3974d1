#include "ComputerVolume.h"
#include "SelectedBox.h"
#include "ZynePlusCommandHelper.h"

namespace zyne {

namespace {
bool isComputerMusicMode(int lightMode) {
    return lightMode >= 8 && lightMode <= 10;
}
} // namespace

void ZynePlusCommandHelper::getVolumeValue(int) {
    if (!m_computerVolume)
        m_computerVolume = new ComputerVolume(this);
    const int level = m_computerVolume->getVolumeLevel();
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
