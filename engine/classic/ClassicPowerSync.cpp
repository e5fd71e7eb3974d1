#include "ClassicPowerSync.h"

#include "PowerSupplyApp.h"

namespace zyne {

QString classicSyncMessage(ClassicSyncKind kind, const ClassicFanState& firstFan) {
    switch (kind) {
    case ClassicSyncKind::Light:
        return powerSupplyLightMessage();
    case ClassicSyncKind::LightMode:
        return powerSupplyLightModeMessage(firstFan.lightMode);
    case ClassicSyncKind::Colour:
        break;
    }
    return powerSupplyColourMessage(firstFan.RColor, firstFan.GColor, firstFan.BColor, firstFan.Bright);
}

} // namespace zyne
