#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

namespace zyne {

class VxZyneRainbow;
class ZynePlusCommandHelper;
namespace ui {
class MainView;
}

// Joins the main view to the engines: the views' command lists become main-window signals, and
// the engines' reports are written back into the views. A view never trusts a box, port or list
// it is given, and neither does this: anything out of range is logged and dropped.
class ViewRouter : public QObject {
    Q_OBJECT
public:
    // What the router asks of the main window beyond its signals.
    struct WindowServices {
        std::function<void(int)> loadLanguage;
        std::function<void()> showInfo;
    };

    ViewRouter(VxZyneRainbow* window, ZynePlusCommandHelper* plus, ui::MainView* view,
               WindowServices services);

    ui::MainView* view() const { return m_view; }

    // Start-up: the information page, the box buttons, the shown box; then the view is shown.
    void fillMainView(const QString& programVersion, const QString& firmwareVersion);
    // The box change of the "changeControllerBox" command, message 0x8106 and start-up.
    bool changeBox(int box);
    // The first present box, shown; false when no box is present.
    bool showFirstPresentBox();
    // A box change took a box that is still present: the views show a box.
    bool showsPresentBox() const;

    void receiveMainData(const QStringList& data);
    void receiveRGBData(const QStringList& red, const QStringList& green, const QStringList& blue,
                        const QStringList& bright, int port, const QString& selectLED);

    // Reports from the engines.
    void showFanSpeed(int box, int port, int rpm, int fanType, bool stallWarned, bool monitor,
                      bool boxWarning);
    void showVolumeWarning(int box, int port);
    void showBoxPresence(int box, bool present);
    void showFirmware(const QString& version);
    void showProfile(int profile);
    void showPort(int box, int port, int lightMode, int colorMode, int lightSpeed, const int* red,
                  const int* green, const int* blue, const float* bright, int speedPer, int speedNum,
                  bool pwm, bool monitor, int fanType, const QString& fanName, int currentProfile,
                  bool isTurnOffLed);
    void showTemperature(int celsius);

private:
    // Box kind as the main view shows it: 0 classic, 1 Plus, 2 AWT; -1 when the box is absent.
    static int boxKind(int box);
    void routePortCommand(const QString& word, const QStringList& data, int port);

    VxZyneRainbow* m_window;
    ZynePlusCommandHelper* m_plus;
    ui::MainView* m_view;
    WindowServices m_services;
    QString m_firmwareVersion;
    // The selected box starts at 0 whether or not anything is there: only a box change shows one.
    bool m_showsBox = false;
};

} // namespace zyne
