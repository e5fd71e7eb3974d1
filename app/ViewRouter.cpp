#include "ViewRouter.h"

#include "ApplicationSettings.h"
#include "MainView.h"
#include "PresenceString.h"
#include "SelectedBox.h"
#include "UiTexts.h"
#include "VxZyneRainbow.h"
#include "ZynePlusCommandHelper.h"

#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcRoute, "zyne.main.route")

namespace zyne {

namespace {
bool parseNumber(const QStringList& data, int index, int* value) {
    bool ok = false;
    *value = data.value(index).toInt(&ok);
    return ok;
}

bool isLedSelection(const QString& text) {
    return text.size() == kLedCount && std::all_of(text.begin(), text.end(), [](QChar c) {
               return c == QLatin1Char('0') || c == QLatin1Char('1');
           });
}

bool isFourDigits(const QString& text) {
    return text.size() == 4 && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

template <typename Change> void changeSettings(Change change) {
    ApplicationSettingsValues values = ApplicationSettings::get();
    change(values);
    ApplicationSettings::set(values);
}
} // namespace

ViewRouter::ViewRouter(VxZyneRainbow* window, ZynePlusCommandHelper* plus, ui::MainView* view,
                       WindowServices services)
    : QObject(window), m_window(window), m_plus(plus), m_view(view), m_services(std::move(services)) {}

int ViewRouter::boxKind(int box) {
    if (checkControllerStr().isPresent(box))
        return ui::kBoxKindPlus;
    if (awtPresenceStr().isPresent(box))
        return ui::kBoxKindAwt;
    if (classicPresenceStr().isPresent(box))
        return ui::kBoxKindClassic;
    return -1;
}

void ViewRouter::fillMainView(const QString& programVersion, const QString& firmwareVersion) {
    const ApplicationSettingsValues settings = ApplicationSettings::get();
    m_firmwareVersion = firmwareVersion;
    m_view->setProgramVersion(programVersion);
    m_view->setFirmwareVersion(firmwareVersion);
    m_view->setAutoUpdate(settings.autoUpdate);
    m_view->setPasswordLock(settings.openPassword);
    m_view->setPassword(settings.password);
    m_view->setSyncPwrix(settings.isSyncPwrix);
    m_view->resetLanguage(settings.language);
    const int kind = boxKind(selectedBox());
    m_view->setBoxType(kind < 0 ? ui::kBoxKindPlus : kind);
    for (int box = 0; box < kBoxCount; ++box)
        m_view->setBoxPresent(box, boxKind(box) >= 0);
    m_view->selectBoxButton(selectedBox());
}

bool ViewRouter::showFirstPresentBox() {
    for (int box = 0; box < kBoxCount; ++box) {
        if (boxKind(box) >= 0)
            return changeBox(box);
    }
    m_showsBox = false;
    return false;
}

bool ViewRouter::showsPresentBox() const {
    return m_showsBox && boxKind(selectedBox()) >= 0;
}

bool ViewRouter::changeBox(int box) {
    qCDebug(lcRoute) << "changeBox:" << box;
    const int kind = isBoxIndex(box) ? boxKind(box) : -1;
    if (kind < 0) {
        qCDebug(lcRoute) << "changeBox: box" << box << "is not present";
        return false;
    }
    setSelectedBox(box);
    m_showsBox = true;
    qCDebug(lcRoute) << ", SelectBoxIndex:" << selectedBox();
    m_view->setBoxType(kind);
    m_view->selectBoxButton(box);
    if (kind == ui::kBoxKindClassic) {
        qCDebug(lcRoute) << "sendResetViewRequest";
        emit m_window->sendResetViewRequest();
        emit m_window->sendZyneGetFirmware(box);
        return true;
    }
    // The engine reports the five ports back into the views (receiveResetPlusMainView).
    emit m_window->sendResetPlusViewRequest();
    m_plus->receiveViewRequest();
    emit m_window->sendPlusGetFirmware(box);
    return true;
}

void ViewRouter::receiveMainData(const QStringList& data) {
    qCDebug(lcRoute).nospace() << "USB---dataStr:" << data << ", dataStr.count():" << data.size();
    const QString word = data.value(0);
    const int box = selectedBox();
    int value = 0;

    if (word == QLatin1String("changeControllerBox")) {
        qCDebug(lcRoute) << "changeControllerBox:" << data.value(1);
        if (parseNumber(data, 1, &value))
            changeBox(value);
    } else if (word == QLatin1String("saveProfile") || word == QLatin1String("selectProfile")) {
        qCDebug(lcRoute).noquote() << word + QLatin1Char(':') << m_window->currentProfile();
        if (!parseNumber(data, 1, &value) || value < 1 || value > ui::MainView::kProfileCount) {
            qCWarning(lcRoute) << "profile out of range:" << data;
            return;
        }
        m_window->setCurrentProfile(value);
        const int kind = boxKind(box);
        const bool save = word == QLatin1String("saveProfile");
        if (kind == ui::kBoxKindPlus || kind == ui::kBoxKindAwt) {
            if (save)
                emit m_window->sendSaveProfile(box, value);
            else
                emit m_window->sendSelectProfile(box, value);
        } else if (kind == ui::kBoxKindClassic) {
            if (save)
                emit m_window->sendSaveZyne(box, value);
            else
                emit m_window->sendSelectZyneProfile(box, value);
        }
    } else if (word == QLatin1String("saveDevice")) {
        const QString password = data.value(2);
        if (!isFourDigits(password)) {
            qCWarning(lcRoute) << "saveDevice: a password is four digits, not stored";
            return;
        }
        changeSettings([&](ApplicationSettingsValues& v) { v.password = password; });
        m_window->writeDeviceProfile();
    } else if (word == QLatin1String("Password") || word == QLatin1String("AutoUpdate") ||
               word == QLatin1String("btnSyncPwrix")) {
        if (!parseNumber(data, 1, &value))
            return;
        const bool on = value != 0;
        changeSettings([&](ApplicationSettingsValues& v) {
            if (word == QLatin1String("Password"))
                v.openPassword = on;
            else if (word == QLatin1String("AutoUpdate"))
                v.autoUpdate = on;
            else
                v.isSyncPwrix = on;
        });
        // The supply is found and lit now, not at the next lighting change.
        if (on && word == QLatin1String("btnSyncPwrix"))
            emit m_window->sendStartSyncPwrix();
        m_window->writeDeviceProfile();
    } else if (word == QLatin1String("changeLanguage")) {
        qCDebug(lcRoute) << "changeLanguage:" << data.value(1);
        if (!parseNumber(data, 1, &value) || value < 0 || value >= ui::kLanguageCount)
            return;
        m_services.loadLanguage(value);
        changeSettings([&](ApplicationSettingsValues& v) { v.language = value; });
        m_window->writeDeviceProfile();
        m_view->resetLanguage(value);
    } else if (word == QLatin1String("showInfo")) {
        m_services.showInfo();
    } else if (parseNumber(data, 1, &value) && isPlusPortIndex(value)) {
        routePortCommand(word, data, value);
    } else {
        qCWarning(lcRoute) << "a command for no port of the shown box:" << data;
    }
}

void ViewRouter::routePortCommand(const QString& word, const QStringList& data, int port) {
    const int box = selectedBox();
    int value = 0;
    const bool hasValue = parseNumber(data, 2, &value);
    if (word == QLatin1String("btn_performance") || word == QLatin1String("btn_silent")) {
        qCDebug(lcRoute).noquote() << word << port;
    } else if (word == QLatin1String("btn_done") || word == QLatin1String("btn_music") ||
               word == QLatin1String("btn_copy") || word == QLatin1String("btn_default") ||
               word == QLatin1String("btn_turnon") || word == QLatin1String("btn_turnoff")) {
        int lightSpeed = 0;
        int colorMode = 0;
        if (!hasValue || !parseNumber(data, 3, &lightSpeed) || !parseNumber(data, 4, &colorMode)) {
            qCWarning(lcRoute) << "a lighting command without its modes:" << data;
            return;
        }
        if (word == QLatin1String("btn_done"))
            qCDebug(lcRoute).nospace() << "btn_done---nowfan:" << port << ", box:" << box;
        emit m_window->changeLight(box, port, value, colorMode, lightSpeed,
                                   word == QLatin1String("btn_turnoff"));
        if (word == QLatin1String("btn_done"))
            qCDebug(lcRoute).nospace()
                << "isHasPwrixApp:" << false << ", isOpenSyncPwrix:" << ApplicationSettings::get().isSyncPwrix
                << ", fanNum:" << port;
    } else if (word == QLatin1String("btn_pwm") && hasValue) {
        emit m_window->sendPlusSwitchPWM(box, port, value != 0);
    } else if (word == QLatin1String("slider_FanSpeed_Per") && hasValue) {
        emit m_window->sendChangeFanSpeedPer(box, port, value);
    } else if (word == QLatin1String("slider_FanSpeed_Num") && hasValue) {
        emit m_window->sendChangeFanSpeedNum(box, port, value);
    } else if (word == QLatin1String("pushMonitor") && hasValue) {
        emit m_window->sendPlusMonitor(box, port, value != 0);
    } else if (word == QLatin1String("selectFanType") && hasValue) {
        qCDebug(lcRoute) << "selectFanType:" << value;
        emit m_window->sendPlusFanType(box, port, value);
    } else if (word == QLatin1String("slider_Light") && hasValue) {
        const QStringList factors = data.value(5).split(QLatin1Char(','));
        if (factors.size() != kColourEntries) {
            qCWarning(lcRoute) << "slider_Light: not 13 brightness factors:" << data;
            return;
        }
        emit m_window->sendPlusBrighr(box, port, factors);
    } else if (word == QLatin1String("selectLEDBtn") && isLedSelection(data.value(2))) {
        emit m_window->sendSelectLedBtn(box, port, data.at(2));
    } else if (word == QLatin1String("finishEdit") && data.size() > 2) {
        emit m_window->aaaaaa(box, port, data.at(2));
    } else {
        qCWarning(lcRoute) << "a command the engines don't take:" << data;
    }
}

void ViewRouter::receiveRGBData(const QStringList& red, const QStringList& green, const QStringList& blue,
                                const QStringList& bright, int port, const QString& selectLED) {
    qCDebug(lcRoute) << "receiveRGBData:" << port << selectLED;
    const bool complete = red.size() == kColourEntries && green.size() == kColourEntries &&
                          blue.size() == kColourEntries && bright.size() == kColourEntries;
    if (!complete || !isPlusPortIndex(port) || !isLedSelection(selectLED)) {
        qCWarning(lcRoute) << "receiveRGBData: colours for no port, or not 13 of each - dropped";
        return;
    }
    emit m_window->sendRGBDataToCommand(selectedBox(), red, green, blue, bright, port, selectLED);
}

void ViewRouter::showFanSpeed(int box, int port, int rpm, int fanType, bool, bool monitor, bool boxWarning) {
    if (box != selectedBox())
        return;
    const bool stalled = rpm <= 0 && monitor;
    if (boxKind(box) == ui::kBoxKindClassic) {
        if (ui::ZyneRGBFanView* classic = m_view->classicView(port))
            classic->showFanSpeed(rpm, stalled);
        return;
    }
    ui::RainbowFan* fan = m_view->plusView(port);
    if (!fan)
        return;
    const bool fanKind = fanType == 0 || fanType == 7;
    fan->showFanSpeed(rpm, stalled && fanKind);
    if (fanKind)
        fan->setBoxWarning(boxWarning);
}

void ViewRouter::showVolumeWarning(int box, int port) {
    qCDebug(lcRoute) << "receiveVolWarningreceiveVolWarning" << box << port;
    if (ui::RainbowFan* fan = m_view->plusView(port))
        fan->showVolumeWarning();
}

void ViewRouter::showBoxPresence(int box, bool present) {
    qCDebug(lcRoute) << "receiveCanControl:" << box << present;
    if (!isBoxIndex(box))
        return;
    m_view->setBoxPresent(box, present || boxKind(box) >= 0);
    if (box == selectedBox() && !present)
        showFirstPresentBox();
}

void ViewRouter::showFirmware(const QString& version) {
    m_firmwareVersion = version;
    m_view->setFirmwareVersion(version);
}

void ViewRouter::showProfile(int profile) {
    m_view->setSelectedProfile(profile);
    m_view->setProfileLabel(profile);
}

void ViewRouter::showPort(int box, int port, int lightMode, int colorMode, int lightSpeed, const int* red,
                          const int* green, const int* blue, const float* bright, int speedPer, int speedNum,
                          bool pwm, bool monitor, int fanType, const QString& fanName, int currentProfile,
                          bool isTurnOffLed) {
    qCDebug(lcRoute).nospace() << "receiveResetPlusMainView box:" << box << ", fan:" << port
                               << ", lightMode:" << lightMode << ", colorMode:" << colorMode
                               << ", lightSpeed:" << lightSpeed << ", isTurnOff:" << isTurnOffLed;
    ui::RainbowFan* fan = m_view->plusView(port);
    if (!fan || !red || !green || !blue || !bright)
        return;
    // The view shows the box's profile; the main window's current profile stays what the user or a
    // hot key chose last (a hot key applies a profile without making it the box's own).
    if (currentProfile >= 1 && currentProfile <= ui::MainView::kProfileCount) {
        m_view->setSelectedProfile(currentProfile);
        m_view->setProfileLabel(currentProfile);
    }
    ui::PortViewState state;
    state.lightMode = lightMode;
    state.colorMode = colorMode;
    state.lightSpeed = lightSpeed;
    std::copy(red, red + kColourEntries, state.red.begin());
    std::copy(green, green + kColourEntries, state.green.begin());
    std::copy(blue, blue + kColourEntries, state.blue.begin());
    std::copy(bright, bright + kColourEntries, state.bright.begin());
    state.speedPer = speedPer;
    state.speedNum = speedNum;
    state.pwm = pwm;
    state.monitor = monitor;
    state.fanType = fanType;
    state.fanName = fanName;
    state.isTurnOffLed = isTurnOffLed;
    fan->resetFanView(state);
    // Ports in Copy follow port 0.
    if (port == 0) {
        for (int other = 1; other < kPlusPortCount; ++other) {
            m_view->plusView(other)->setCopyLightMode(lightMode);
            m_view->plusView(other)->copyResetFanView();
        }
    }
}

void ViewRouter::showTemperature(int celsius) {
    m_view->setTemperature(celsius);
}

} // namespace zyne
