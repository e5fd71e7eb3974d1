#include "StartVisibility.h"

namespace zyne {

StartVisibility startVisibility(const StartCircumstances& start) {
    const bool asked = start.hiddenOption || (start.markedLoginStart && start.autoRun);
    if (!asked)
        return {false, QStringLiteral("window shown")};
    if (!start.trayAvailable)
        return {false, QStringLiteral("no system tray: window shown although a hidden start was asked")};
    return {true, start.hiddenOption ? QStringLiteral("--hidden: tray only")
                                     : QStringLiteral("started at log-in: tray only")};
}

} // namespace zyne
