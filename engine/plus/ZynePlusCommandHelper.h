#pragma once

#include "AwtCommand.h"
#include "BigWaveEffect.h"
#include "ControllerBox.h"
#include "EffectPlayback.h"
#include "EffectState.h"
#include "IniHelper.h"
#include "MusicEffect.h"
#include "PlusReports.h"
#include "PowerSupplyLink.h"
#include "ScriptPlayer.h"
#include "SelectedBox.h"

#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <deque>
#include <vector>

class ComputerVolume;

Q_DECLARE_LOGGING_CATEGORY(lcPlus)

namespace zyne {

class AwtController;
class SocketClientHelper;

// Drains replies left over from earlier requests, writes one report and, when the write went
// through, reads its reply, waiting at most replyTimeoutMs.
ExchangeResult exchangeReport(HidDevice& device, const PlusReport& report, PlusReply& reply,
                              int replyTimeoutMs = kReplyTimeoutMs);

// The Plus engine: owns the 16 box records and writes every report to the Plus controllers.
// Lives on the GUI thread; its slots are called directly by the main window.
class ZynePlusCommandHelper : public QObject {
    Q_OBJECT
public:
    explicit ZynePlusCommandHelper(QObject* parent = nullptr);
    ~ZynePlusCommandHelper() override;

    // A box's record; an index that names no box gets an absent one (and a warning).
    const ControllerBox& box(int boxNum) const;
    // A port's record, for whoever loads or edits it (profiles, views, the network). Indices that
    // name no port get a scratch record that nothing reads (and a warning).
    RainbowFanState& fanRecord(int boxNum, int fanNum);
    const MeteorState& meteor() const { return m_meteor; }
    const TemperatureState& temperature() const { return m_temperature; }
    // The music levels as received and smoothed, 0..100.
    int computerMusicLevel() const { return m_musicLevels.computer; }
    const music::Levels& musicLevels() const { return m_musicLevels; }
    const BigWaveEffect& bigWave() const { return m_bigWave; }
    const EffectPlayback& effectPlayback() const { return m_playback; }
    const ScriptPlayer& scriptPlayer() const { return m_script; }
    const PowerSupplyLink& powerSupply() const { return m_powerSupply; }

    // Replaces the frames that ports in mode 16 play (demo effects, user scripts) and starts the
    // playback timer when there is something to play.
    void loadEffectFrames(std::vector<EffectFrame> frames);
    // Looks for the power supply (when synchronisation is on and none is present yet) and shows port 1
    // of the selected box on it.
    void startPowerSupplySync();
    // Copies port 1 of the selected box into the power supply's colours and sends it its mode.
    void mirrorSelectedPortToPowerSupply();

    // Queues one command for an AWT box; effects put their frames in the command's LED entries.
    void queueAWTCommand(const AwtCommand& command);
    AwtController& awtController() { return *m_awt; }
    // Reports still waiting for or running on the Plus boxes' and the power supply's workers, and
    // results not taken in yet.
    std::size_t boxExchangesOutstanding() const;
    // A discovery's probes are out: which boxes are there is not known yet.
    bool isDiscovering() const;

public slots:
    // Probes every box on its worker; discoveryFinished follows when every answer is in (or after
    // a bounded wait). The first discovery then lights the boxes that answered.
    void getZynePlus();
    // Probes one box again (it was plugged in or out); sendCanControl answers.
    void getZynePlusByOne(int boxNum);
    void getAWTZynePlus();
    // Answers through sendPlusFirmware: "major.minor.patch", "0" when the box can't tell. A Plus box
    // answers once its worker has the reply, an AWT box through its chip.
    void receivePlusFirmware(int boxNum);
    void isPwrixConnect(bool connected);
    // Runs at most one queued AWT command (the AWT timer calls it every 20 ms while commands wait).
    void sendAWTCommand();
    // Probes AWT handle n for boxes: opens it if needed and queues a presence pass.
    void checkAWTConnect(int handleIndex);
    // Resends every port of every present box, twice (controllers may miss a report while busy).
    void resetAllBox();

    // Lighting
    void changeLightMode(int boxNum, int fanNum, int lightMode, int colorMode, int lightSpeed,
                         bool isTurnOff);
    void refreshFanLed(int boxNum, int fanNum);

    // Fan speed
    void receiveChangeFanSpeedNum(int boxNum, int fanNum, int level);
    void receiveChangeFanSpeedPer(int boxNum, int fanNum, int level);
    void receivePlusSwitchPWM(int boxNum, int fanNum, bool on);
    void receiveGetTemperature(int temperature);
    void sendCommandReadFanSpeed(int boxNum);
    void sendCommand_FanSpeed(int boxNum, int fanNum);

    // Profiles and device records
    void setSaveProfile(int boxNum, int profile);
    void setSelectProfile(int boxNum, int profile);
    void receivePlusMonitor(int boxNum, int fanNum, bool on);
    void receivePlusFanType(int boxNum, int fanNum, int fanType);
    void receiveBB(int boxNum, int fanNum, QString name);

    // Music from the PC's audio output: one level sample (the argument is not used).
    void getVolumeValue(int unused);
    void receiveMobileVolume(int level);

    // Effect ticks, one per timer
    void receiveBigWave();
    void sendMeteor();
    void sendCross();
    void receiveEffect();
    void runScript();
    void runMusicModeTimer();
    void sendCommandCPUTemp();

    // Series panel
    void receiveSeriesLightMode(int mode);
    void receiveSeriesColorMode(int mode);
    void receiveSeriesLightSpeed(int speed);
    void receiveSeriesRGB(int unused1, int unused2, int* red, int* green, int* blue, float* unusedBright);
    void resetAllToFullLight();

    // User lighting scripts: the frames' JSON texts replace the script being played.
    void setScript(QStringList texts);
    // Demo show 0..8 on every port of every open box; other numbers change nothing.
    void setupEffectMode(int effect);

    // Colours, brightness, LED selection and switches from the views and the mobile app. Colour
    // and brightness lists shorter than 13 entries and selection texts shorter than 12 characters
    // change only the entries they hold; a bad box or port index refuses the whole command.
    void receiveRGBData(int boxNum, const QStringList& red, const QStringList& green, const QStringList& blue,
                        const QStringList& bright, int fanNum, const QString& ledSelection);
    void receiveAPPRGBData(int boxNum, int red, int green, int blue, float bright, int fanNum,
                           const QString& ledSelection);
    void receivePlusBright(int boxNum, int fanNum, const QStringList& bright);
    void receivePlusSelectLedBtn(int boxNum, int fanNum, const QString& ledSelection);
    void receiveTurnLed(int boxNum, int fanNum, int off);
    // Reports the selected box's ports to the views: all five, or only while the box is present.
    void receiveViewRequest();
    void receiveResetViewRequest();
    // A port reset to its defaults, told to the power-supply application while it mirrors a ring.
    void receiveDefault(int boxNum, int fanNum);
    void receiveStartSyncPwrix();

    // Hot keys and the mobile app's voice commands, acting on every present box.
    void receiveHotKeyCommand(int command, int value);
    void receiveSpeech(int lightMode, int colorMode, int lightSpeed, int red, int green, int blue,
                       float bright, bool isTurnOff);
    void receiveSpeechMode(int lightMode, int colorMode, int lightSpeed, bool isTurnOff, int fanType);
    void receiveSpeechColor(int red, int green, int blue, float bright, const QString& ledSelection,
                            int fanType);
    void receiveSpeechFanSpeed(int speed);

    // The power-supply companion application announced its power type.
    void receiveSocketClient(int type);

signals:
    void discoveryFinished();
    // A framed message for the power-supply companion application.
    void operate(QString message);
    void sendCanControl(int boxNum, bool canControl);
    void sendPlusFirmware(QString version);
    // A presence pass over an AWT handle has ended.
    void sendCheckAWTBoxSuccess();
    void sendFanSpeed(int boxNum, int fanNum, int rpm, int fanType, bool stallWarned, bool monitor,
                      bool boxWarning);

    void sendStartComputerMusicTimer();
    void sendCloseComputerMusicTimer();
    void sendStartMusicModeTimer();
    void sendStartComputTempTimer();
    void sendStartCrossTimer();
    void sendStartMeteorTimer();
    void sendStartBigWaveTimer();
    void sendCloseBigWaveTimer();
    void sendCloseMeteorTimer();
    void sendCloseCrossTimer();
    void sendCloseMusicModeTimer();
    void sendCloseComputTempTimer();
    void sendEffectTimerStart();
    void sendEffectTimerStop();
    void scriptTimerStart();
    void scriptTimerStop();
    void sendStopAllTimer();
    void sendVolWarning(int boxNum, int fanNum);
    void sendResetMainViewProfile(int profile);
    // One port's record for the views; the arrays point into the record and are valid during the call.
    void sendResetMainView(int boxNum, int fanNum, int lightMode, int colorMode, int lightSpeed, int* red,
                           int* green, int* blue, float* bright, int speedPer, int speedNum, bool pwm,
                           bool monitor, int fanType, QString fanName, int savedProfile, int currentProfile,
                           bool isTurnOffLed);

private:
    enum class Precondition { Connected, PlusConnected };
    // Hands one report to the box's worker when the box meets the precondition; what comes back is
    // taken in by takeBoxResults.
    void exchange(int boxNum, BoxJob job, Precondition precondition);
    void exchange(int boxNum, BoxJob::Kind kind, int port, const PlusReport& report, Precondition precondition);
    // The tick: takes in what the boxes' and the power supply's workers have finished since the last one.
    void takeBoxResults();
    // Something was handed to a worker: the tick runs until its result is taken in.
    void tickUntilResultsAreIn();
    void takeBoxResult(int boxNum, const BoxJobResult& result);
    // Sends every port of every present box its stored lighting and speed.
    void refreshAllPresentBoxes();
    void loadDeviceSettings();
    void connectPowerSupplyApp();
    void applySavedProfiles();
    void applyProfile(int boxNum, const PlusProfileTexts& profile);
    void resendPorts(int boxNum);
    void writeDeviceSettings();
    // Makes the controller keep its current settings itself.
    void sendCommand_Save(int boxNum);
    void reportPortToViews(int boxNum, int fanNum);
    void reportShownBoxToViews();
    // Why a probe was sent: a discovery ends when its probes are answered; a replugged box's answer
    // is told to the views at once.
    enum class ProbePurpose { Discovery, Replug };
    void probeBox(int boxNum, ProbePurpose purpose, const char* probeLog,
                  std::shared_ptr<OpenOrder> openOrder);
    void takeProbeAnswer(int boxNum, const BoxJobResult& result);
    void discoveryOverdue();
    void finishDiscovery();
    // Logs and refuses a box or port index that names no record.
    bool checkPort(const char* operation, int boxNum, int fanNum) const;
    RainbowFanState& port(int boxNum, int fanNum) {
        return boxArray[static_cast<std::size_t>(boxNum)].rainbowFan[static_cast<std::size_t>(fanNum)];
    }

    // AWT controller
    void queueAwt(int boxNum, int fanNum, int type, int value = 0);
    // Lights and sets the speeds of a box the presence pass found.
    void awtBoxFound(int boxNum);
    void connectAwtController();

    // Lighting reports
    void sendLighting(int boxNum, int fanNum, int modeByte, const LedTriples& leds,
                      BoxJob::Kind kind = BoxJob::Kind::Lighting);
    void sendCommand_Snake(int boxNum, int fanNum, int lightSpeed);
    void sendCommand_Single(int boxNum, int fanNum, int lightSpeed);
    void sendCommand_Radar(int boxNum, int fanNum, int lightSpeed);
    void sendCommand_Blink(int boxNum, int fanNum, int lightSpeed);
    void sendCommand_Breath(int boxNum, int fanNum, int lightSpeed);
    void sendCommand_Whirl(int boxNum, int fanNum, int lightSpeed);
    void sendCommand_Light(int boxNum, int fanNum);
    void sendCommand_turnoff(int boxNum, int fanNum);
    void sendCommand_OneColor(int boxNum, int fanNum, const RgbColour& colour);
    void copyFirstPort(int boxNum, int fanNum);
    // The mode a port shows: its own, or port 0's (copied in) when it follows port 0.
    int shownLightMode(int boxNum, int fanNum);
    // Ports 1..4 of the box in Copy mode take port 0's settings; refreshFollowers also resends them.
    void copyToFollowers(int boxNum);
    void refreshFollowers(int boxNum);
    void refreshAwtFanLed(int boxNum, int fanNum);
    // Starts a program-run mode other than the temperature colour: the meteor's first frame, and
    // the mode's timer. Effect playback (16) is started by whoever loads the frames; 20 and unknown
    // modes send nothing.
    void startAnimation(int boxNum, int fanNum, int mode);
    void startTemperatureColour(int boxNum, int fanNum);
    void startMeteor(int boxNum, int fanNum, int variant);
    // Writes what an effect tick computed; boxes that are gone or mute cost no wait. AWT ports
    // get theirs through the AWT queue.
    void writeFrames(const PortFrames& frames);
    void writeFrame(const PortFrame& frame);

    // Power-supply mirror
    // Synchronisation is on and the supply can take frames.
    bool mirroringPowerSupply();
    const RainbowFanState& mirroredPort() { return port(selectedBox(), 0); }
    void mirrorPortZeroChange(int boxNum);
    // Copies port 1 of a box into the power supply's colours and sends it that port's mode.
    void mirrorFirstPortToPowerSupply(int boxNum);

    // Fan speed reports
    void sendFanSpeedPercent(int boxNum, int fanNum, int duty);
    void sendFanSpeedLevel(int boxNum, int fanNum, int rpm);
    void reportPolledSpeed(int boxNum, int fanNum, int rpm);
    void sendAwtFixedSpeed(int boxNum, int fanNum);
    void followCurveOnAwt(int boxNum, int cap);
    bool boxWarning(int boxNum) const;
    bool anyPortFollowsComputerMusic() const;

    IniHelper m_ini;
    std::array<ControllerBox, kBoxCount> boxArray;
    TemperatureState m_temperature;
    MeteorState m_meteor;
    SeriesSettings m_series;
    BigWaveEffect m_bigWave;
    EffectPlayback m_playback;
    ScriptPlayer m_script;
    PowerSupplyLink m_powerSupply;
    // Made when a port first enters a PC music mode: only those need the audio capture, and it
    // needs a moment to connect before the first tick reads it.
    ComputerVolume& computerVolume();
    ComputerVolume* m_computerVolume = nullptr;
    RainbowFanState m_strayFan;
    music::Levels m_musicLevels;
    AwtController* m_awt = nullptr;
    SocketClientHelper* m_powerSupplyApp = nullptr;
    // Ticks while the boxes' workers have something outstanding.
    QTimer m_boxResultTick;
    // While an effect tick writes its frames, each box's reports wait here and go to its worker in
    // one hand-over: one wake-up per box and tick instead of one per port.
    bool m_holdingPosts = false;
    std::array<std::vector<BoxJob>, kBoxCount> m_heldPosts;
    // Per box, the probes whose answers are still to come, oldest first.
    std::array<std::deque<ProbePurpose>, kBoxCount> m_probesOut;
    QTimer m_discoveryDeadline;
    bool m_discovered = false;
};

} // namespace zyne
