#include "ClassicWiring.h"

#include "SocketClientHelper.h"
#include "VxZyneRainbow.h"
#include "ZyneCommandHelper.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QPointer>
#include <QThread>
#include <QTimer>

namespace zyne {

namespace {
constexpr int kMusicIntervalMs = 50;
constexpr int kRandomIntervalMs = 200;
// A report under way needs at most one bounded reply wait; settings files take a few ms more.
constexpr int kStopWaitMs = 2000;

void startLoggedTimer(QTimer* timer, int intervalMs, const char* log) {
    if (timer->isActive())
        return;
    timer->start(intervalMs);
    qCDebug(lcClassic) << log;
}

void closeLoggedTimer(QTimer* timer, const char* log) {
    if (!timer->isActive())
        return;
    timer->stop();
    qCDebug(lcClassic) << log;
}
} // namespace

ClassicWiring::ClassicWiring(VxZyneRainbow& window) : QObject(&window), m_window(window) {
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("classic engine"));
    m_engine = new ZyneCommandHelper;
    m_engine->moveToThread(m_thread);
    // The engine is destroyed on its own thread, closing its handles there.
    connect(m_thread, &QThread::finished, m_engine, &QObject::deleteLater);
    // QThread::wait() orders the engine's last steps before whatever follows it through Qt's own
    // locks, which ThreadSanitizer can't see; this flag shows it that order.
    connect(
        m_engine, &QObject::destroyed, this, [this] { m_engineGone.store(true, std::memory_order_release); },
        Qt::DirectConnection);
    connectEngine();
    createTimers();
    m_thread->start(QThread::InheritPriority);
    // Quitting stops the thread before the windows go, so no report is cut short at exit.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &ClassicWiring::stop);
}

void ClassicWiring::findControllers(std::function<void()> found) {
    // Opening every index lists the system's devices each time, and a silent box takes its full
    // reply wait: neither may hold the window.
    ZyneCommandHelper* engine = m_engine;
    engineThenWindow(
        // Found and lit in one step: nothing the window sends meanwhile (a temperature reading) may
        // reach a box ahead of its start-up lighting.
        [engine] { engine->getZyneController(); },
        [this, found = std::move(found)] {
            // Stopped meanwhile: the program is quitting.
            if (!m_engine)
                return;
            connectPowerSupplyApp();
            found();
        });
}

void ClassicWiring::engineThenWindow(std::function<void()> onEngine, std::function<void()> onWindow) {
    if (!m_engine)
        return;
    // Made here and only dereferenced back on this thread; qApp outlives every answer.
    QPointer<ClassicWiring> self(this);
    QMetaObject::invokeMethod(
        m_engine,
        [self, onEngine = std::move(onEngine), onWindow = std::move(onWindow)]() mutable {
            onEngine();
            QMetaObject::invokeMethod(
                qApp,
                [self, onWindow = std::move(onWindow)] {
                    if (self)
                        onWindow();
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

ClassicWiring::~ClassicWiring() {
    stop();
}

void ClassicWiring::connectEngine() {
    using Window = VxZyneRainbow;
    using Engine = ZyneCommandHelper;
    const auto queued = Qt::QueuedConnection;
    Window* window = &m_window;
    connect(m_engine, &Engine::sendResetMainView, window, &Window::receiveResetZyneMainView, queued);
    connect(m_engine, &Engine::sendResetMainViewProfile, window, &Window::receiveResetZyneMainViewProfile,
            queued);
    connect(window, &Window::sendResetZyneBoxRequest, m_engine, &Engine::getZyneController, queued);
    connect(window, &Window::sendResetZyneBoxRequestByOne, m_engine, &Engine::getZyneControllerByOne, queued);
    connect(window, &Window::sendResetViewRequest, m_engine, &Engine::receiveResetViewRequest, queued);
    connect(m_engine, &Engine::sendFanSpeed, window, &Window::receiveFanSpeed, queued);
    connect(window, &Window::sendZyneChangeLight, m_engine, &Engine::changeLightMode, queued);
    connect(window, &Window::sendZyneRGBDataToCommand, m_engine, &Engine::receiveRGBData, queued);
    connect(window, &Window::sendZyneSwitchLed, m_engine, &Engine::receiveSwitchLed, queued);
    connect(window, &Window::sendZyneBrighr, m_engine, &Engine::receiveBright, queued);
    connect(window, &Window::sendChangeFanSpeed, m_engine, &Engine::receiveChangeFanSpeed, queued);
    connect(window, &Window::sendZyneSwitchPWM, m_engine, &Engine::receiveZyneSwitchPWM, queued);
    connect(window, &Window::sendTempetatureToZyne, m_engine, &Engine::receiveTempetatureToZyne, queued);
    connect(window, &Window::sendZyneCopy, m_engine, &Engine::receiveZyneCopy, queued);
    connect(window, &Window::sendSelectZyneProfile, m_engine, &Engine::receiveZyneSelectProfile, queued);
    connect(window, &Window::sendZyneMonitor, m_engine, &Engine::receiveZyneMonitor, queued);
    connect(window, &Window::sendSaveZyne, m_engine, &Engine::receiveZyneSave, queued);
    connect(window, &Window::sendZyneGetFirmware, m_engine, &Engine::receiveZyneFirmware, queued);
    connect(m_engine, &Engine::sendZyneFirmware, window, &Window::receiveFirmware, queued);
    connect(m_engine, &Engine::sendCanControl, window, &Window::receiveCanControl, queued);
    connect(window, &Window::sendZyneMobileVolume, m_engine, &Engine::receiveMobileVolume, queued);
    connect(window, &Window::sendUpdateZyneSpeed, m_engine, &Engine::sendCommandReadFanSpeed, queued);
}

// The engine's own client, made after its first enumeration. It stays on the GUI thread, where the
// network is driven; the engine reaches it, and it the engine, through queued calls.
void ClassicWiring::connectPowerSupplyApp() {
    m_powerSupplyApp = new SocketClientHelper(this);
    connect(m_engine, &ZyneCommandHelper::operate, m_powerSupplyApp, &SocketClientHelper::testSendCommand,
            Qt::QueuedConnection);
    connect(m_powerSupplyApp, &SocketClientHelper::sendPowerType, m_engine,
            &ZyneCommandHelper::receiveSocketClient, Qt::QueuedConnection);
}

void ClassicWiring::readBox(int boxNum, std::function<void(const ClassicFans&, int)> done) {
    if (!isBoxIndex(boxNum))
        return;
    ZyneCommandHelper* engine = m_engine;
    // Written on the engine's thread before the hop back, read on the GUI thread after it.
    auto read = std::make_shared<std::pair<ClassicFans, int>>();
    engineThenWindow(
        [engine, boxNum, read] {
            read->first = engine->box(boxNum).fans;
            read->second = engine->box(boxNum).Profile;
        },
        [read, done = std::move(done)] { done(read->first, read->second); });
}

void ClassicWiring::whenHandled(std::function<void()> done) {
    engineThenWindow([] {}, std::move(done));
}

void ClassicWiring::createTimers() {
    using Engine = ZyneCommandHelper;
    const auto queued = Qt::QueuedConnection;
    m_musicTimer = new QTimer(this);
    m_musicTimer->setObjectName(QStringLiteral("zyneMusicTimer"));
    connect(m_musicTimer, &QTimer::timeout, this, &ClassicWiring::runZyneMusicTimer);
    connect(&m_window, &VxZyneRainbow::sendZyneMusicMode, m_engine, &Engine::runMusicModeTimer, queued);
    connect(m_engine, &Engine::sendStartMusicModeTimer, this, &ClassicWiring::startZyneMusicTimer, queued);
    connect(m_engine, &Engine::sendCloseMusicModeTimer, this, &ClassicWiring::closeZyneMusicTimer, queued);

    m_randomTimer = new QTimer(this);
    m_randomTimer->setObjectName(QStringLiteral("zyneRandomTimer"));
    connect(m_randomTimer, &QTimer::timeout, this, &ClassicWiring::zyneRandom);
    connect(&m_window, &VxZyneRainbow::sendZyneRandomMode, m_engine, &Engine::receiveRandomMode, queued);
    connect(m_engine, &Engine::sendStartRandomModeTimer, this, &ClassicWiring::startZyneRandomTimer, queued);
    connect(m_engine, &Engine::sendCloseRandomModeTimer, this, &ClassicWiring::closeZyneRandomTimer, queued);
}

void ClassicWiring::pollSpeeds(int boxNum) {
    if (m_engine && m_engine->admitTick(ZyneCommandHelper::Tick::SpeedPoll))
        emit m_window.sendUpdateZyneSpeed(boxNum);
}

void ClassicWiring::runZyneMusicTimer() {
    if (m_engine && m_engine->admitTick(ZyneCommandHelper::Tick::Music))
        emit m_window.sendZyneMusicMode();
}

void ClassicWiring::zyneRandom() {
    if (m_engine && m_engine->admitTick(ZyneCommandHelper::Tick::Random))
        emit m_window.sendZyneRandomMode();
}

void ClassicWiring::startZyneMusicTimer() {
    startLoggedTimer(m_musicTimer, kMusicIntervalMs, "startZyneMusicTimer");
}

void ClassicWiring::closeZyneMusicTimer() {
    closeLoggedTimer(m_musicTimer, "closeZyneMusicTimer");
}

void ClassicWiring::startZyneRandomTimer() {
    startLoggedTimer(m_randomTimer, kRandomIntervalMs, "startZyneRandomTimer");
}

void ClassicWiring::closeZyneRandomTimer() {
    closeLoggedTimer(m_randomTimer, "closeZyneRandomTimer");
}

void ClassicWiring::stop() {
    if (!m_thread)
        return;
    m_musicTimer->stop();
    m_randomTimer->stop();
    m_thread->requestInterruption();
    m_thread->quit();
    if (!m_thread->wait(kStopWaitMs)) {
        // Never destroy a running thread: it is left to the end of the process.
        qCWarning(lcClassic) << "the classic engine did not stop within" << kStopWaitMs << "ms";
        m_thread = nullptr;
        m_engine = nullptr;
        return;
    }
    if (!m_engineGone.load(std::memory_order_acquire))
        qCWarning(lcClassic) << "the classic engine's thread ended without destroying the engine";
    qCDebug(lcClassic) << "classic engine stopped";
    delete m_thread;
    m_thread = nullptr;
    m_engine = nullptr;
}

} // namespace zyne
