#pragma once

#include "IniHelper.h"

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QSystemTrayIcon>

#include <memory>

class QAction;
class QMenu;
class QTimer;
class QTranslator;
class GetHWiNFO;

namespace zyne {

class DeviceChangeHandler;
class HotKeyHook;
class WindowMessageRouter;
class ViewRouter;
class ZynePlusCommandHelper;
namespace ui {
class MainView;
}

// The program's hidden main window: owns the engines, the tray icon and the timers, and routes
// commands and reports between them and the views.
class VxZyneRainbow : public QMainWindow {
    Q_OBJECT
public:
    explicit VxZyneRainbow(QWidget* parent = nullptr);
    ~VxZyneRainbow() override;

    static const QString kWindowTitle;

    ZynePlusCommandHelper* plusEngine() const { return m_plus; }
    ui::MainView* mainView() const { return m_mainView; }

    // Consistency check between the operating system's device list and the discovery strings.
    void checkUSBDevice();
    bool checkVXKeyboard();
    // A private window message from another instance or the system.
    void receiveWindowMessage(quint32 msg, quint32 wParam, quint32 lParam);
    // Makes a present box the selected one; an absent box changes nothing.
    void changeBox(int box);
    void setMainViewShown(bool shown);
    int currentProfile() const { return m_currentProfile; }
    void setCurrentProfile(int profile);
    // Stores the Main group of Device.ini from the application settings.
    void writeDeviceProfile();
    // The AWT chip arrived (its handle slots are probed again) or left (its handles close).
    void awtControllerChanged(bool arrived);

signals:
    void sendResetBoxRequest();
    void sendResetBoxRequestByOne(int boxNum);
    void sendResetZyneBoxRequest();
    void sendResetZyneBoxRequestByOne(int boxNum);
    void sendPlusGetFirmware(int boxNum);
    void sendUpdateSpeed(int boxNum);
    void sendComputerVolume(int unused);
    void sendResetAllBox();
    void changeLight(int boxNum, int fanNum, int lightMode, int colorMode, int lightSpeed, bool isTurnOff);
    void sendChangeFanSpeedPer(int boxNum, int fanNum, int level);
    void sendChangeFanSpeedNum(int boxNum, int fanNum, int level);
    void sendTempetatureToPlus(int temperature);
    void sendPlusSwitchPWM(int boxNum, int fanNum, bool on);
    void sendSaveProfile(int boxNum, int profile);
    void sendSelectProfile(int boxNum, int profile);
    void sendPlusMonitor(int boxNum, int fanNum, bool on);
    void sendPlusFanType(int boxNum, int fanNum, int fanType);
    void aaaaaa(int boxNum, int fanNum, QString name);
    // Command intake of the Plus engine (views, mobile app, hot keys, voice commands).
    void sendRGBDataToCommand(int boxNum, QStringList red, QStringList green, QStringList blue,
                              QStringList bright, int fanNum, QString ledSelection);
    void sendAPPRGBDataToCommand(int boxNum, int red, int green, int blue, float bright, int fanNum,
                                 QString ledSelection);
    void sendViewRequest();
    void sendPlusBrighr(int boxNum, int fanNum, QStringList bright);
    void sendSelectLedBtn(int boxNum, int fanNum, QString ledSelection);
    void sendTurnLed(int boxNum, int fanNum, int off);
    void sendHotKeyCommand(int command, int value);
    void sendResetPlusViewRequest();
    void sendSpeech(int lightMode, int colorMode, int lightSpeed, int red, int green, int blue, float bright,
                    bool isTurnOff);
    void sendSpeechMode(int lightMode, int colorMode, int lightSpeed, bool isTurnOff, int fanType);
    void sendSpeechColor(int red, int green, int blue, float bright, QString ledSelection, int fanType);
    void sendSpeechFanSpeed(int speed);
    void sendCheckAWTBoxRequest(int handleIndex);

public slots:
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void showMainView();
    void trayIconAction();
    void receiveFirmware(QString version);
    void receiveCanControl(int boxNum, bool canControl);
    void receiveFanSpeed(int boxNum, int fanNum, int rpm, int fanType, bool stallWarned, bool monitor,
                         bool boxWarning);
    void updateSpeed();
    void getVolumeValue();
    void startComputerMusicTimer();
    void closeComputerMusicTimer();
    void receiveVolWarning(int boxNum, int fanNum);
    void receiveResetZyneMainViewProfile(int profile);
    void receiveResetPlusMainView(int boxNum, int fanNum, int lightMode, int colorMode, int lightSpeed,
                                  int* red, int* green, int* blue, float* bright, int speedPer, int speedNum,
                                  bool pwm, bool monitor, int fanType, QString fanName, int savedProfile,
                                  int currentProfile, bool isTurnOffLed);
    void startReadSpeedTimer();
    void closeReadSpeedTimer();
    void finishGetTemp(int temperature);
    void finishGetComputerData(QStringList readings);
    void checkAWTConnectSucess();
    void receiveMainData(QStringList data);
    void receiveRGBData(QStringList red, QStringList green, QStringList blue, QStringList bright, int fanNum,
                        QString selectLED);

private:
    void connectPlusEngine();
    // The rows of the wiring that carry commands into the Plus engine's intake.
    void connectPlusIntake();
    // Probes every AWT handle slot (AwtWiring.cpp).
    void connectAwt();
    void createTimers();
    void startSensorPolling();
    void createTrayIcon();
    void loadTranslation(int language);
    void selectFirstBox();
    void createMainViewRouting();
    QString autoRunEntryText() const;

    QString m_applicationFolder;
    ZynePlusCommandHelper* m_plus = nullptr;
    DeviceChangeHandler* m_deviceChanges = nullptr;
    HotKeyHook* m_hotKeys = nullptr;
    std::unique_ptr<WindowMessageRouter> m_messages;
    int m_currentProfile = 1;
    // The visible window: no parent, lives until the process ends.
    ui::MainView* m_mainView = nullptr;
    ViewRouter* m_router = nullptr;
    QTimer* m_readSpeedTimer = nullptr;
    QTimer* m_computerVolumeTimer = nullptr;
    QTimer* m_sensorPollTimer = nullptr;
    GetHWiNFO* m_sensorReader = nullptr;

    QSystemTrayIcon* m_trayIcon = nullptr;
    QMenu* m_trayMenu = nullptr;
    QAction* m_launchAction = nullptr;
    QAction* m_autoRunAction = nullptr;
    QAction* m_exitAction = nullptr;
    QTranslator* m_translator = nullptr;
    IniHelper m_ini;
    // The last speed report of each port, so only changes reach the log.
    QHash<int, QString> m_lastSpeedReport;
};

} // namespace zyne
