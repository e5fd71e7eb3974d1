#pragma once

#include "ClassicFanState.h"

#include <QObject>

#include <atomic>
#include <functional>

class QThread;
class QTimer;

namespace zyne {

class SocketClientHelper;
class VxZyneRainbow;
class ZyneCommandHelper;

// The classic engine on its own thread, as the main window sees it: creates the thread and the
// engine, queues every connection between them and the main window, runs the classic effect
// timers, keeps the engine's link to the power-supply application on the GUI thread, and stops the
// thread in order when the program quits.
class ClassicWiring : public QObject {
    Q_OBJECT
public:
    explicit ClassicWiring(VxZyneRainbow& window);
    ~ClassicWiring() override;

    // Has the engine's thread find the classic boxes and light them, then runs `found` on the GUI
    // thread. Called once the Plus boxes are known: a classic box is not looked for at an index a
    // Plus box holds. Nothing runs on the GUI thread once stopped.
    void findControllers(std::function<void()> found);

    ZyneCommandHelper* engine() const { return m_engine; }
    // One speed poll of the given box, unless the previous one is still waiting.
    void pollSpeeds(int boxNum);
    // Lets the report under way finish, then ends the thread; waits a bounded time.
    void stop();
    // Reads a box's fan records and saved profile number on the engine's thread (after everything
    // queued before) and hands them to done on the GUI thread. Nothing happens once stopped.
    void readBox(int boxNum, std::function<void(const ClassicFans&, int)> done);
    // Runs `done` on the GUI thread once the engine has handled everything queued to it before.
    // Nothing happens once stopped.
    void whenHandled(std::function<void()> done);

public slots:
    void runZyneMusicTimer();
    void zyneRandom();
    void startZyneMusicTimer();
    void closeZyneMusicTimer();
    void startZyneRandomTimer();
    void closeZyneRandomTimer();

private:
    void connectEngine();
    void createTimers();
    void connectPowerSupplyApp();
    // Runs `onEngine` on the engine's thread after everything queued before, then `onWindow` on the
    // GUI thread unless this has gone meanwhile.
    void engineThenWindow(std::function<void()> onEngine, std::function<void()> onWindow);

    VxZyneRainbow& m_window;
    QThread* m_thread = nullptr;
    ZyneCommandHelper* m_engine = nullptr;
    // Set by the engine's thread as the engine goes; read after the thread is waited for.
    std::atomic<bool> m_engineGone{false};
    QTimer* m_musicTimer = nullptr;
    QTimer* m_randomTimer = nullptr;
    SocketClientHelper* m_powerSupplyApp = nullptr;
};

} // namespace zyne
