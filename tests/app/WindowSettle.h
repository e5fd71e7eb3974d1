#pragma once

#include "ClassicWiring.h"
#include "EngineRig.h"
#include "VxZyneRainbow.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace zyne::testing {

// Lets the window's start-up discovery end (the Plus boxes' probes answered, then the classic
// boxes found on their engine's thread and the first box shown), the classic engine's answers to
// everything asked of it so far reach the window, and every report handed to the Plus boxes'
// workers reach the wire. False when that takes longer than timeoutMs.
inline bool settleWindow(VxZyneRainbow& window, int timeoutMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    const auto waitFor = [&](const auto& done) {
        while (!done()) {
            if (clock.elapsed() > timeoutMs)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return true;
    };
    if (!waitFor([&] { return window.boxesFound(); }))
        return false;
    // Queued behind everything the engine was asked: it comes back after their answers.
    bool classicAnswered = false;
    window.classic()->whenHandled([&classicAnswered] { classicAnswered = true; });
    return waitFor([&] { return classicAnswered; }) && settle(*window.plusEngine(), timeoutMs);
}

} // namespace zyne::testing
