#pragma once

#include <QObject>

namespace zyne {

class EffectTimers;
class VxZyneRainbow;
class ZynePlusCommandHelper;
namespace ui {
class InSeries;
}

// The series panel joined to the Plus engine: its colour mode, speed and colours go to the engine's
// series settings, and a series light mode relights every watched fan and runs the effect's timer.
class SeriesWiring : public QObject {
    Q_OBJECT
public:
    SeriesWiring(VxZyneRainbow* window, ZynePlusCommandHelper* plus, EffectTimers* timers, ui::InSeries* panel);

public slots:
    void receiveSeriesLightMode(int mode);

private:
    // Every watched fan of every present Plus and AWT box gets its own lighting again, or goes dark.
    void refreshAllFan(bool isTurnOff);

    VxZyneRainbow* m_window;
    ZynePlusCommandHelper* m_plus;
    EffectTimers* m_timers;
};

} // namespace zyne
