#pragma once

#include <QString>

namespace zyne {

// What decides whether a start shows the window or stays in the tray.
struct StartCircumstances {
    // --hidden on the command line (the autostart entry passes it).
    bool hiddenOption = false;
    // Started by an autostart entry of an earlier release, which marks the start in the
    // environment instead of passing --hidden.
    bool markedLoginStart = false;
    bool autoRun = false;
    bool trayAvailable = false;
};

struct StartVisibility {
    bool hidden = false;
    // For the log: why.
    QString reason;
};

// Only a start from the autostart entry (or one asking for it) stays in the tray, and never on a
// desktop without a tray: the user would have no way to the window.
StartVisibility startVisibility(const StartCircumstances& start);

} // namespace zyne
