#include "VxZyneRainbow.h"

#include "ApplicationSettings.h"
#include "ClassicViewRouter.h"
#include "ClassicWiring.h"
#include "DesktopNotifier.h"
#include "DeviceChangeHandler.h"
#include "DeviceList.h"
#include "EffectTimers.h"
#include "GetHWiNFO.h"
#include "HotKeyHook.h"
#include "InSeries.h"
#include "InfoView.h"
#include "MainView.h"
#include "MobileCommandRouter.h"
#include "PlusReports.h"
#include "PresenceString.h"
#include "ProgramData.h"
#include "ScanUSB.h"
#include "SelectedBox.h"
#include "SimEnvironment.h"
#include "SeriesWiring.h"
#include "StallAlert.h"
#include "StallNotifications.h"
#include "UiTexts.h"
#include "UpdateWiring.h"
#include "ViewRouter.h"
#include "WindowMessageRouter.h"
#include "WindowTitle.h"
#include "ZynePlusCommandHelper.h"

#include <QAction>
#include <QApplication>
#include <QLoggingCategory>
#include <QMenu>
#include <QTimer>
#include <QTranslator>

Q_LOGGING_CATEGORY(lcMain, "zyne.main")

namespace zyne {

const QString VxZyneRainbow::kWindowTitle = QString::fromLatin1(kWindowTitleText);

namespace {
constexpr int kReadSpeedIntervalMs = 65;
constexpr int kSensorPollIntervalMs = 5000;
constexpr int kComputerVolumeIntervalMs = 50;

} // namespace

VxZyneRainbow::VxZyneRainbow(QWidget* parent)
    : QMainWindow(parent), m_messages(std::make_unique<WindowMessageRouter>(*this)) {
    setGeometry(0, 0, 0, 0);
    hide();
    setWindowIcon(QIcon(programDataPath(QStringLiteral("Images/logo.ico"))));
    m_mainView = new ui::MainView;
    m_deviceList = new DeviceList(this);

    m_plus = new ZynePlusCommandHelper(this);
    connectPlusEngine();
    connectPlusIntake();
    m_classic = new ClassicWiring(*this);

    createTrayIcon();

    m_translator = new QTranslator(this);
    QApplication::installTranslator(m_translator);
    loadTranslation(ApplicationSettings::get().language);
    m_updates = new UpdateWiring(this);
    applyAutoRun();
    m_stallAlert = new StallAlert(m_mainView, this);
    createStallNotifications();

    createMobileServer();
    createTimers();
    connectAwt();
    createMainViewRouting();
    startSensorPolling();
    checkUSBDevice();
    m_deviceList->whenCurrent("keyboard check", [this](const std::vector<MakerDevice>&) {
        if (!checkVXKeyboard())
            return;
        m_hotKeys = new HotKeyHook(*this);
        m_hotKeys->start();
    });
    m_deviceChanges = new DeviceChangeHandler(*this, sim::makeDeviceNotifier(this));
    watchSleep();
    followPlusDiscovery();
}

VxZyneRainbow::~VxZyneRainbow() {
    // Nothing may reach the view while it goes.
    m_plus->disconnect(this);
    delete m_mainView;
}

void VxZyneRainbow::connectPlusEngine() {
    using Plus = ZynePlusCommandHelper;
    connect(this, &VxZyneRainbow::changeLight, m_plus, &Plus::changeLightMode);
    connect(m_plus, &Plus::sendFanSpeed, this, &VxZyneRainbow::receiveFanSpeed);
    connect(this, &VxZyneRainbow::sendResetBoxRequest, m_plus, &Plus::getZynePlus);
    connect(this, &VxZyneRainbow::sendResetBoxRequestByOne, m_plus, &Plus::getZynePlusByOne);
    connect(this, &VxZyneRainbow::sendChangeFanSpeedPer, m_plus, &Plus::receiveChangeFanSpeedPer);
    connect(this, &VxZyneRainbow::sendChangeFanSpeedNum, m_plus, &Plus::receiveChangeFanSpeedNum);
    connect(this, &VxZyneRainbow::sendTempetatureToPlus, m_plus, &Plus::receiveGetTemperature);
    connect(this, &VxZyneRainbow::sendPlusSwitchPWM, m_plus, &Plus::receivePlusSwitchPWM);
    connect(this, &VxZyneRainbow::sendPlusGetFirmware, m_plus, &Plus::receivePlusFirmware);
    connect(m_plus, &Plus::sendPlusFirmware, this, &VxZyneRainbow::receiveFirmware);
    connect(m_plus, &Plus::sendCanControl, this, &VxZyneRainbow::receiveCanControl);
    connect(m_plus, &Plus::sendVolWarning, this, &VxZyneRainbow::receiveVolWarning);
    connect(m_plus, &Plus::sendResetMainViewProfile, this, &VxZyneRainbow::receiveResetZyneMainViewProfile);
    connect(m_plus, &Plus::sendResetMainView, this, &VxZyneRainbow::receiveResetPlusMainView);
    connect(this, &VxZyneRainbow::sendSaveProfile, m_plus, &Plus::setSaveProfile);
    connect(this, &VxZyneRainbow::sendSelectProfile, m_plus, &Plus::setSelectProfile);
    connect(this, &VxZyneRainbow::sendPlusMonitor, m_plus, &Plus::receivePlusMonitor);
    connect(this, &VxZyneRainbow::sendPlusFanType, m_plus, &Plus::receivePlusFanType);
    connect(this, &VxZyneRainbow::aaaaaa, m_plus, &Plus::receiveBB);
    connect(this, &VxZyneRainbow::sendResetAllBox, m_plus, &Plus::resetAllBox);
}

void VxZyneRainbow::createTimers() {
    m_readSpeedTimer = new QTimer(this);
    connect(m_readSpeedTimer, &QTimer::timeout, this, &VxZyneRainbow::updateSpeed);
    connect(this, &VxZyneRainbow::sendUpdateSpeed, m_plus, &ZynePlusCommandHelper::sendCommandReadFanSpeed);

    m_computerVolumeTimer = new QTimer(this);
    m_computerVolumeTimer->setObjectName(QStringLiteral("computerVolumeTimer"));
    connect(m_computerVolumeTimer, &QTimer::timeout, this, &VxZyneRainbow::getVolumeValue);
    connect(this, &VxZyneRainbow::sendComputerVolume, m_plus, &ZynePlusCommandHelper::getVolumeValue);
    connect(m_plus, &ZynePlusCommandHelper::sendStartComputerMusicTimer, this,
            &VxZyneRainbow::startComputerMusicTimer);
    connect(m_plus, &ZynePlusCommandHelper::sendCloseComputerMusicTimer, this,
            &VxZyneRainbow::closeComputerMusicTimer);

    m_effectTimers = new EffectTimers(m_plus, this);
    connect(m_plus, &ZynePlusCommandHelper::sendStopAllTimer, this, &VxZyneRainbow::stopAllTimer);
}

void VxZyneRainbow::createMainViewRouting() {
    ViewRouter::WindowServices services;
    services.loadLanguage = [this](int language) { loadTranslation(language); };
    // A scan of every sensor fills the information window (finishGetComputerData).
    services.showInfo = [this] {
        if (m_sensorReader)
            m_sensorReader->scanComputer();
    };
    m_router = new ViewRouter(this, m_plus, m_mainView, std::move(services));
    m_router->fillMainView(QStringLiteral(ZYNE_PROGRAM_VERSION), QStringLiteral("0.0.0"));
    connect(m_mainView, &ui::MainView::sendData, this, &VxZyneRainbow::receiveMainData);
    connect(m_mainView, &ui::MainView::sendRGBData, this, &VxZyneRainbow::receiveRGBData);
    m_classicRouter = new ClassicViewRouter(this, m_mainView);
    new SeriesWiring(this, m_plus, m_effectTimers, m_mainView->seriesView());
    connect(m_mainView, &ui::MainView::sendZyneData, this, &VxZyneRainbow::receiveZyneMainData);
    connect(m_mainView, &ui::MainView::sendZyneRGBData, this, &VxZyneRainbow::receiveZyneRGBData);
    connect(m_mainView, &ui::MainView::testSendFileData, this, &VxZyneRainbow::testReceiveFileData);
    m_mainView->show();
}

void VxZyneRainbow::receiveMainData(QStringList data) {
    m_router->receiveMainData(data);
}

void VxZyneRainbow::receiveRGBData(QStringList red, QStringList green, QStringList blue, QStringList bright,
                                   int fanNum, QString selectLED) {
    m_router->receiveRGBData(red, green, blue, bright, fanNum, selectLED);
}

void VxZyneRainbow::receiveZyneMainData(QStringList data) {
    m_classicRouter->receiveZyneMainData(data);
}

void VxZyneRainbow::receiveZyneRGBData(int red, int green, int blue, float bright, int fanNum) {
    m_classicRouter->receiveZyneRGBData(red, green, blue, bright, fanNum);
}

void VxZyneRainbow::getVolumeValue() {
    emit sendComputerVolume(0);
}

void VxZyneRainbow::startComputerMusicTimer() {
    if (m_computerVolumeTimer->isActive())
        return;
    m_computerVolumeTimer->start(kComputerVolumeIntervalMs);
    qCDebug(lcMain) << "startComputerMusicTimer";
}

void VxZyneRainbow::closeComputerMusicTimer() {
    if (!m_computerVolumeTimer->isActive())
        return;
    m_computerVolumeTimer->stop();
    qCDebug(lcMain) << "closeComputerMusicTimer";
}

void VxZyneRainbow::stopAllTimer() {
    m_effectTimers->stopAllTimer();
    closeComputerMusicTimer();
}

void VxZyneRainbow::receiveVolWarning(int boxNum, int fanNum) {
    m_router->showVolumeWarning(boxNum, fanNum);
}

void VxZyneRainbow::startSensorPolling() {
    m_sensorPollTimer = new QTimer(this);
    m_sensorReader = new GetHWiNFO(this);
    // A start while the previous reading still runs does nothing.
    connect(m_sensorPollTimer, &QTimer::timeout, m_sensorReader, [this] { m_sensorReader->start(); });
    connect(m_sensorReader, &GetHWiNFO::done, this, &VxZyneRainbow::finishGetTemp);
    connect(m_sensorReader, &GetHWiNFO::doneScanComputer, this, &VxZyneRainbow::finishGetComputerData);
    m_sensorPollTimer->start(kSensorPollIntervalMs);
}

void VxZyneRainbow::finishGetTemp(int temperature) {
    qCDebug(lcMain) << "CPU temperature:" << temperature;
    m_router->showTemperature(temperature);
    emit sendTempetatureToZyne(temperature);
    emit sendTempetatureToPlus(temperature);
}

void VxZyneRainbow::finishGetComputerData(QStringList readings) {
    qCDebug(lcMain) << "computerData:" << readings;
    m_mainView->infoView()->setReadings(readings);
}

void VxZyneRainbow::updateSpeed() {
    const int box = selectedBox();
    emit sendUpdateSpeed(box);
    m_classic->pollSpeeds(box);
}

void VxZyneRainbow::startReadSpeedTimer() {
    if (m_readSpeedTimer->isActive())
        return;
    m_readSpeedTimer->start(kReadSpeedIntervalMs);
    qCDebug(lcMain) << "startReadSpeedTimer";
}

void VxZyneRainbow::closeReadSpeedTimer() {
    if (!m_readSpeedTimer->isActive())
        return;
    m_readSpeedTimer->stop();
    qCDebug(lcMain) << "closeReadSpeedTimer";
}

void VxZyneRainbow::createTrayIcon() {
    m_trayIcon = new QSystemTrayIcon(this);
    m_trayIcon->setIcon(QIcon(programDataPath(QStringLiteral("Images/logo.ico"))));
    m_trayIcon->setToolTip(QStringLiteral("Zyne Plus RGB Fan"));
    m_trayIcon->setVisible(true);

    m_launchAction = new QAction(ui::VxZyneRainbowText::tr("Launch Zyne Plus RGB"), this);
    connect(m_launchAction, &QAction::triggered, this, &VxZyneRainbow::showMainView);
    m_autoRunAction = new QAction(autoRunEntryText(), this);
    m_autoRunAction->setObjectName(QStringLiteral("autoRunAction"));
    connect(m_autoRunAction, &QAction::triggered, this, &VxZyneRainbow::trayIconAction);
    m_exitAction = new QAction(ui::VxZyneRainbowText::tr("Exit"), this);
    connect(m_exitAction, &QAction::triggered, qApp, &QApplication::quit);

    m_trayMenu = new QMenu(this);
    m_trayMenu->addAction(m_launchAction);
    m_trayMenu->addAction(m_autoRunAction);
    m_trayMenu->addSeparator();
    m_trayMenu->addAction(m_exitAction);
    m_trayIcon->setContextMenu(m_trayMenu);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &VxZyneRainbow::iconActivated);
}

void VxZyneRainbow::createStallNotifications() {
    m_notifier = new DesktopNotifier(
        [this](const QString& title, const QString& text) {
            m_trayIcon->showMessage(title, text, QSystemTrayIcon::Warning);
        },
        ui::VxZyneRainbowText::tr("Show"), this);
    m_stallNotifications = new StallNotifications(
        m_notifier, [this] { return m_mainView->isHidden() || m_mainView->isMinimized(); }, this);
    connect(m_stallNotifications, &StallNotifications::showBox, this, [this](int box) {
        changeBox(box);
        showMainView();
    });
}

QString VxZyneRainbow::autoRunEntryText() const {
    // A white square while autorun is on, a black one while it is off.
    const QChar glyph = ApplicationSettings::get().isAutoRun ? QChar(0x25A1) : QChar(0x25A0);
    return glyph + ui::VxZyneRainbowText::tr(" Run Zyne Plus RGB Program when Windows starts");
}

void VxZyneRainbow::loadTranslation(int language) {
    // An index without a catalogue, or a catalogue that can't be loaded, leaves the English texts.
    const QString file = translationFileForLanguage(language);
    if (file.isEmpty())
        return;
    const QString path = programDataPath(file);
    if (m_translator->load(path))
        qCDebug(lcMain) << "translation" << path;
    else
        qCWarning(lcMain) << "translation can't be loaded:" << path;
}

bool VxZyneRainbow::checkVXKeyboard() {
    ScanUSB scan(listedInterfaces(m_deviceList->current()));
    const int keyvane = scan.count(kMakerVendorId, 0x3006);
    qCDebug(lcMain) << "KeyvaneZ--SCANUSB:, count:" << keyvane;
    const int klax = scan.count(kMakerVendorId, 0x3009);
    qCDebug(lcMain) << "KLAX--SCANUSB:, count:" << keyvane + klax;
    return keyvane + klax > 0;
}

void VxZyneRainbow::receiveWindowMessage(quint32 msg, quint32 wParam, quint32 lParam) {
    m_messages->route(msg, wParam, lParam);
}

void VxZyneRainbow::setMainViewShown(bool shown) {
    if (shown)
        showMainView();
    else
        m_mainView->hide();
}

void VxZyneRainbow::setCurrentProfile(int profile) {
    m_currentProfile = profile;
    qCDebug(lcMain) << "current profile:" << profile;
}

void VxZyneRainbow::iconActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick)
        showMainView();
}

void VxZyneRainbow::showMainView() {
    if (!m_mainView->isHidden())
        return;
    m_mainView->show();
    m_mainView->raise();
    m_mainView->activateWindow();
}

void VxZyneRainbow::trayIconAction() {
    auto values = ApplicationSettings::get();
    values.isAutoRun = !values.isAutoRun;
    ApplicationSettings::set(values);
    m_autoRunAction->setText(autoRunEntryText());
    applyAutoRun();
    writeDeviceProfile();
}

void VxZyneRainbow::writeDeviceProfile() {
    m_ini.writeDeviceIni(mainOnlyGroupMap(ApplicationSettings::get()));
}

void VxZyneRainbow::receiveFirmware(QString version) {
    qCDebug(lcMain) << "firmware:" << version;
    m_router->showFirmware(version);
}

void VxZyneRainbow::receiveCanControl(int boxNum, bool canControl) {
    m_router->showBoxPresence(boxNum, canControl);
}

void VxZyneRainbow::receiveResetZyneMainViewProfile(int profile) {
    qCDebug(lcMain) << "receiveResetZyneMainViewProfile" << profile;
    m_router->showProfile(profile);
}

void VxZyneRainbow::receiveResetPlusMainView(int boxNum, int fanNum, int lightMode, int colorMode,
                                             int lightSpeed, int* red, int* green, int* blue, float* bright,
                                             int speedPer, int speedNum, bool pwm, bool monitor, int fanType,
                                             QString fanName, int, int currentProfile, bool isTurnOffLed) {
    m_router->showPort(boxNum, fanNum, lightMode, colorMode, lightSpeed, red, green, blue, bright, speedPer,
                       speedNum, pwm, monitor, fanType, fanName, currentProfile, isTurnOffLed);
}

void VxZyneRainbow::receiveResetZyneMainView(int boxNum, int fanNum, int lightMode, int colour1, int colour2,
                                             int colour3, float bright, int speed, bool isTurnOff,
                                             bool monitor, bool pwm, QString, int, int) {
    m_classicRouter->showPort(boxNum, fanNum, lightMode, colour1, colour2, colour3, bright, speed, isTurnOff,
                              monitor, pwm);
}

void VxZyneRainbow::receiveFanSpeed(int boxNum, int fanNum, int rpm, int fanType, bool stallWarned,
                                    bool monitor, bool boxWarning) {
    // The views show every report; until they exist the log shows each change.
    const QString report =
        QStringLiteral("receiveFanSpeed box:%1, fan:%2, rpm:%3, fanType:%4, stallWarned:%5, "
                       "monitor:%6, boxWarning:%7")
            .arg(boxNum)
            .arg(fanNum)
            .arg(rpm)
            .arg(fanType)
            .arg(stallWarned)
            .arg(monitor)
            .arg(boxWarning);
    m_stallAlert->report(boxNum, rpm, fanType, stallWarned, monitor);
    m_stallNotifications->report(boxNum, fanNum, rpm, fanType, monitor);
    m_router->showFanSpeed(boxNum, fanNum, rpm, fanType, stallWarned, monitor, boxWarning);
    QString& last = m_lastSpeedReport[boxNum * kPlusPortCount + fanNum];
    if (report == last)
        return;
    last = report;
    qCDebug(lcMain).noquote() << report;
}

} // namespace zyne
