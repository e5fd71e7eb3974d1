#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace zyne {

class VxZyneRainbow;
namespace ui {
class MainView;
}

// Joins the three classic fan views to the classic engine: their command lists and colours become
// the main window's classic signals (queued to the engine's thread), and the engine's reports of a
// fan are written back into its view. Lists for no fan, or with values that don't parse, are logged
// and dropped.
class ClassicViewRouter : public QObject {
    Q_OBJECT
public:
    ClassicViewRouter(VxZyneRainbow* window, ui::MainView* view);

    void receiveZyneMainData(const QStringList& data);
    void receiveZyneRGBData(int red, int green, int blue, float bright, int fan);

    // A fan's state as the engine reports it; only the shown box reaches its view.
    void showPort(int box, int fan, int lightMode, int red, int green, int blue, float bright, int speed,
                  bool isTurnOff, bool monitor, bool pwm);

private:
    VxZyneRainbow* m_window;
    ui::MainView* m_view;
};

} // namespace zyne
