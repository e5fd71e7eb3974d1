// The built-in demo shows, chosen by number from the mobile app.
#include "DemoEffect.h"
#include "ZynePlusCommandHelper.h"

namespace zyne {

void ZynePlusCommandHelper::setupEffectMode(int effect) {
    qCDebug(lcPlus) << "setupEffectMode---" << effect;
    std::optional<std::vector<EffectFrame>> frames = demoEffectFrames(effect);
    if (!frames) {
        // Checked before any port changes: an unknown number leaves everything as it was.
        qCWarning(lcPlus) << "setupEffectMode: no demo effect" << effect;
        return;
    }
    for (int b = 0; b < kBoxCount; ++b) {
        if (!box(b).isConnected)
            continue;
        for (int p = 0; p < kPlusPortCount; ++p)
            port(b, p).lightMode = lightmode::Playback;
    }
    loadEffectFrames(std::move(*frames));
    reportShownBoxToViews();
}

} // namespace zyne
