#pragma once

#include "DeviceAccessCheck.h"
#include "HardwareErrorLine.h"
#include "IniHelper.h"

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QVariantMap>

#include <memory>

class QAction;
class QMenu;
class QTimer;
class QTranslator;
class GetHWiNFO;

namespace zyne {

class ClassicViewRouter;
class ClassicWiring;
class DesktopNotifier;
class DeviceChangeHandler;
class DeviceList;
class HotKeyHook;
class MobileCommandRouter;
class SocketHelper;
class StallAlert;
class StallNotifications;
class UpdateWiring;
class WindowMessageRouter;
class EffectTimers;
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
    ClassicWiring* classic() const { return m_classic; }
    StallAlert* stallAlert() const { return m_stallAlert; }
    ui::MainView* mainView() const { return m_mainView; }
    DeviceList* deviceList() const { return m_deviceList; }
    // The start-up discovery has found the Plus and classic boxes and shown the first.
    bool boxesFound() const { return m_boxesFound; }

    // Reads the device list again and, once it is in, checks it against the discovery strings.
    void checkUSBDevice();
    // Whether the last reading of the device list has one of the maker's keyboards.
    bool checkVXKeyboard();
    // A private window message from another instance or the system.
    void receiveWindowMessage(quint32 msg, quint32 wParam, quint32 lParam);
    // Makes a present box the selected one; an absent box changes nothing.
    void changeBox(int box);
    void setMainViewShown(bool shown);
    // The window shows unless this start asks for the tray and there is one (AutoRunWiring.cpp).
    void applyStartVisibility(bool hiddenOption);
    int currentProfile() const { return m_currentProfile; }
    void setCurrentProfile(int profile);
    // Stores the Main group of Device.ini from the application settings.
    void writeDeviceProfile();
    // The AWT chip arrived (its handle slots are probed again) or left (its handles close).
    void awtControllerChanged(bool arrived);
    // Plays the script of that name from the scripts folders (ScriptWiring.cpp); false when the
    // name is refused or names no readable script.
    bool openScriptByName(const QString& name);
    // Demo show 0..8 on every port, with the effect timer running.
    void startDemoEffect(int effect);
    EffectTimers* effectTimers() const { return m_effectTimers; }

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

    // To the classic engine, queued across its thread (see ClassicWiring).
    void sendUpdateZyneSpeed(int boxNum);
    void sendResetViewRequest();
    void sendZyneChangeLight(int boxNum, int fanNum, int lightMode, bool isTurnOff);
    void sendZyneRGBDataToCommand(int boxNum, int colour1, int colour2, int colour3, float bright,
                                  int fanNum);
    void sendZyneSwitchLed(int boxNum, int fanNum, bool isTurnOff);
    void sendZyneBrighr(int boxNum, int fanNum, float bright);
    void sendChangeFanSpeed(int boxNum, int fanNum, int level, int mode);
    void sendZyneSwitchPWM(int boxNum, int fanNum, bool on);
    void sendTempetatureToZyne(int temperature);
    void sendZyneCopy(int boxNum, int fanNum);
    void sendSelectZyneProfile(int boxNum, int profile);
    void sendZyneMonitor(int boxNum, int fanNum, bool on);
    void sendSaveZyne(int boxNum, int profile);
    void sendZyneGetFirmware(int boxNum);
    void sendZyneMusicMode();
    void sendZyneMobileVolume(int level);
    void sendZyneRandomMode();

    // Further commands into the Plus engine.
    void sendDefault(int boxNum, int fanNum);
    void sendMobileVolume(int level);
    void sendSeriesLightMode(int mode);
    void sendResetAllToFullLight();
    void sendStartSyncPwrix();

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
    // Stops the cross, PC volume, music mode and CPU temperature timers.
    void stopAllTimer();
    void receiveVolWarning(int boxNum, int fanNum);
    void receiveResetZyneMainViewProfile(int profile);
    void receiveResetPlusMainView(int boxNum, int fanNum, int lightMode, int colorMode, int lightSpeed,
                                  int* red, int* green, int* blue, float* bright, int speedPer, int speedNum,
                                  bool pwm, bool monitor, int fanType, QString fanName, int savedProfile,
                                  int currentProfile, bool isTurnOffLed);
    void receiveResetZyneMainView(int boxNum, int fanNum, int lightMode, int colour1, int colour2,
                                  int colour3, float bright, int speed, bool isTurnOff, bool monitor,
                                  bool pwm, QString fanName, int savedProfile, int currentProfile);
    void startReadSpeedTimer();
    void closeReadSpeedTimer();
    void finishGetTemp(int temperature);
    void finishGetComputerData(QStringList readings);
    void checkAWTConnectSucess();
    void socketHelperReceiveData(QVariantMap command);
    void receiveMainData(QStringList data);
    // A script's frame texts and frequency, from the main view or the mobile app.
    void testReceiveFileData(QStringList texts, int frequency);
    void receiveRGBData(QStringList red, QStringList green, QStringList blue, QStringList bright, int fanNum,
                        QString selectLED);
    void receiveZyneMainData(QStringList data);
    void receiveZyneRGBData(int red, int green, int blue, float bright, int fanNum);

private:
    void connectPlusEngine();
    // The rows of the wiring that carry commands into the Plus engine's intake.
    void connectPlusIntake();
    // Probes every AWT handle slot (AwtWiring.cpp).
    void connectAwt();
    // The error line's hardware error after the AWT controller was looked for.
    void showHardwareErrorLine();
    void showHardwareErrorLine(const std::vector<MakerDevice>& devices);
    // The consistency check proper, on one reading of the device list.
    void checkAgainstDeviceList(const std::vector<MakerDevice>& devices);
    // Names devices listed but refused to this user (DeviceAccessWiring.cpp); the error line
    // follows when asked or when the refusals changed.
    void checkDeviceAccess(const std::vector<MakerDevice>& devices, bool showErrorLine);
    void createMobileServer();
    void createTimers();
    void startSensorPolling();
    void createTrayIcon();
    // Stall notifications while the window is hidden, and what a click on one does.
    void createStallNotifications();
    // The log-in entry is there exactly while autorun is on.
    void applyAutoRun();
    void watchSleep();
    void loadTranslation(int language);
    void selectFirstBox();
    // Shows the first box the start-up discovery found once the probes are answered, and runs a
    // device-list check that came while they were out.
    void followPlusDiscovery();
    void plusDiscoveryFinished();
    void showDiscoveredBoxes();
    // The start-up discovery (Plus, then classic) or a Plus rediscovery has answers still to come.
    bool discoveryUnderWay() const;
    // Runs a device-list check that came while a discovery was under way, once none is.
    void runDeferredCheck();
    void createMainViewRouting();
    QString autoRunEntryText() const;

    ZynePlusCommandHelper* m_plus = nullptr;
    ClassicWiring* m_classic = nullptr;
    DeviceChangeHandler* m_deviceChanges = nullptr;
    DeviceList* m_deviceList = nullptr;
    HotKeyHook* m_hotKeys = nullptr;
    std::unique_ptr<WindowMessageRouter> m_messages;
    int m_currentProfile = 1;
    bool m_classicLookedFor = false;
    bool m_boxesFound = false;
    bool m_checkAfterDiscovery = false;
    // The visible window: no parent, lives until the process ends.
    ui::MainView* m_mainView = nullptr;
    ViewRouter* m_router = nullptr;
    ClassicViewRouter* m_classicRouter = nullptr;
    StallAlert* m_stallAlert = nullptr;
    StallNotifications* m_stallNotifications = nullptr;
    DesktopNotifier* m_notifier = nullptr;
    DeviceAccessCheck m_accessCheck;
    ErrorLineVerdict m_errorLineVerdict;
    QTimer* m_readSpeedTimer = nullptr;
    QTimer* m_computerVolumeTimer = nullptr;
    EffectTimers* m_effectTimers = nullptr;
    QTimer* m_sensorPollTimer = nullptr;
    GetHWiNFO* m_sensorReader = nullptr;
    SocketHelper* m_mobileServer = nullptr;
    std::unique_ptr<MobileCommandRouter> m_mobileRouter;

    QSystemTrayIcon* m_trayIcon = nullptr;
    QMenu* m_trayMenu = nullptr;
    QAction* m_launchAction = nullptr;
    QAction* m_autoRunAction = nullptr;
    QAction* m_exitAction = nullptr;
    QTranslator* m_translator = nullptr;
    UpdateWiring* m_updates = nullptr;
    IniHelper m_ini;
    // The last speed report of each port, so only changes reach the log.
    QHash<int, QString> m_lastSpeedReport;
};

} // namespace zyne
