#pragma once

#include "ClassicBox.h"
#include "ClassicPowerSync.h"
#include "ColourOrder.h"
#include "IniHelper.h"
#include "PlusReports.h"
#include "TickGate.h"

#include <QObject>
#include <QString>

#include <array>

namespace zyne {

// The classic engine: owns the 16 classic box records and writes every report to the classic
// controllers. Lives on a thread of its own; every handle is opened and used there, and every
// connection to it is queued. Slots take the box index, the port index (0..2), then values.
class ZyneCommandHelper : public QObject {
    Q_OBJECT
public:
    explicit ZyneCommandHelper(QObject* parent = nullptr);
    ~ZyneCommandHelper() override;

    // Periodic requests (speed poll, effect ticks) that the main window's timers send.
    enum class Tick { SpeedPoll, Music, Random };
    // Thread-safe: true when the tick may be queued, false while the previous one waits.
    bool admitTick(Tick tick);

    // For tests and the worker's own thread only.
    const ClassicBox& box(int boxNum) const { return boxArray[static_cast<std::size_t>(boxNum)]; }
    QString firmwareVersion(int boxNum);

public slots:
    // Discovery, with Device.ini and the saved profiles read again and every found box lit.
    void getZyneController();
    void getZyneControllerByOne(int boxNum);
    void receiveZyneFirmware(int boxNum);

    // Lighting
    void changeLightMode(int boxNum, int fanNum, int lightMode, bool isTurnOff);
    void receiveRGBData(int boxNum, int colour1, int colour2, int colour3, float bright, int fanNum);
    void receiveBright(int boxNum, int fanNum, float bright);
    void receiveSwitchLed(int boxNum, int fanNum, bool isTurnOff);
    void receiveZyneCopy(int boxNum, int fanNum);
    void receiveResetViewRequest();

    // Fan speed
    void receiveChangeFanSpeed(int boxNum, int fanNum, int level, int mode);
    void receiveZyneSwitchPWM(int boxNum, int fanNum, bool on);
    void receiveTempetatureToZyne(int temperature);
    void sendCommandReadFanSpeed(int boxNum);

    // Profiles and device records
    void receiveZyneSelectProfile(int boxNum, int profile);
    void receiveZyneSave(int boxNum, int profile);
    void receiveZyneMonitor(int boxNum, int fanNum, bool on);

    // Effects and the power-supply application
    void runMusicModeTimer();
    void receiveMobileVolume(int level);
    void receiveRandomMode();
    void receiveSocketClient(int type);

signals:
    void sendCanControl(int boxNum, bool canControl);
    void sendZyneFirmware(QString version);
    void sendFanSpeed(int boxNum, int fanNum, int rpm, int fanType, bool stallWarned, bool monitor,
                      bool boxWarning);
    void sendResetMainView(int boxNum, int fanNum, int lightMode, int colour1, int colour2, int colour3,
                           float bright, int speed, bool isTurnOff, bool monitor, bool pwm, QString fanName,
                           int savedProfile, int currentProfile);
    void sendResetMainViewProfile(int profile);
    void sendStartRandomModeTimer();
    void sendCloseRandomModeTimer();
    void sendStartMusicModeTimer();
    void sendCloseMusicModeTimer();
    // A framed message for the power-supply application.
    void operate(QString message);

private:
    // Sends one report to a connected box; nothing is written (-1, -1) otherwise, or once the
    // thread is asked to stop, so a quit never waits for more than the report under way.
    ExchangeResult exchange(int boxNum, const PlusReport& report, PlusReply* reply = nullptr,
                            BoxReplyWatch::Wait wait = BoxReplyWatch::Wait::UnlessMuted);
    bool checkPort(const char* operation, int boxNum, int fanNum) const;
    ClassicFanState& fan(int boxNum, int fanNum) {
        return boxArray[static_cast<std::size_t>(boxNum)].fans[static_cast<std::size_t>(fanNum)];
    }
    ClassicBox& record(int boxNum) { return boxArray[static_cast<std::size_t>(boxNum)]; }
    bool isFound(int boxNum) const;

    // Discovery and loading. The two halves of getZyneController(): Device.ini and the probes, then
    // each found box's saved profile and its reports.
    void findControllers();
    void lightFoundControllers();
    void loadDeviceRecord(int boxNum, const DeviceSettings& settings);
    void discoverBox(int boxNum);
    void loadSavedProfile(int boxNum);
    void resendPorts(int boxNum);

    // Lighting
    void refreshPort(int boxNum, int fanNum);
    void tellPowerSupply(ClassicSyncKind kind);
    void reportPortToViews(int boxNum, int fanNum);
    void reportBoxIfShown(int boxNum);

    // Fan speed
    void resetZyneFan(int boxNum, int fanNum);
    void reportPolledSpeed(int boxNum, int fanNum, int rpm);
    bool boxWarning(int boxNum) const;

    // Profiles
    void writeDeviceSettings();
    // Waits, but not past a request to stop the thread.
    static void pause(int ms);

    IniHelper m_ini;
    // From the settings at construction, before the engine moves to its thread.
    const ColourOrder m_colourOrder;
    std::array<ClassicBox, kBoxCount> boxArray;
    int m_smoothedMobileLevel = 0;
    bool m_loggedStopping = false;
    TickGate m_speedPollGate;
    TickGate m_musicGate;
    TickGate m_randomGate;
};

} // namespace zyne
