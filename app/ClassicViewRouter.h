#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <map>
#include <utility>

namespace zyne {

class VxZyneRainbow;
namespace ui {
class MainView;
}

// Joins the three classic fan views to the classic engine: their command lists and colours become
// the main window's classic signals (queued to the engine's thread), and the engine's reports of a
// fan are written back into its view. Lists for no fan, or with values that don't parse, are logged
// and dropped.
//
// The engine answers on its own thread, so a report it made before handling the user's latest
// change to a fan can reach the view after that change was shown there. While a fan has changes on
// their way, its reports are held back; once the engine has handled them, a report held back is
// asked for afresh.
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
    // Emits the change for the fan of the shown box; false when the list asks for nothing.
    bool sendChange(const QString& word, int box, int fan, const QStringList& data);
    // Counts a change to the fan as on its way until the engine has handled it.
    void changeSent(int box, int fan);

    struct Unhandled {
        int changes = 0;
        bool reportHeldBack = false;
    };

    VxZyneRainbow* m_window;
    ui::MainView* m_view;
    std::map<std::pair<int, int>, Unhandled> m_unhandled; // by box and fan
};

} // namespace zyne
