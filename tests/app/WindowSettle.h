#pragma once

#include "EngineRig.h"
#include "VxZyneRainbow.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace zyne::testing {

// Lets the window's start-up discovery end (the Plus boxes' probes answered, then the classic
// boxes found on their engine's thread and the first box shown) and every report handed to the
// Plus boxes' workers reach the wire. False when that takes longer than timeoutMs.
inline bool settleWindow(VxZyneRainbow& window, int timeoutMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!window.boxesFound()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return settle(*window.plusEngine(), timeoutMs);
}

} // namespace zyne::testing
