#include "WindowMessageRouter.h"

#include "ApplicationSettings.h"
#include "DeviceSettings.h"
#include "FanRecords.h"
#include "MainView.h"
#include "RainbowFan.h"
#include "ViewRules.h"
#include "VxZyneRainbow.h"

#include <QLoggingCategory>

#include <climits>

Q_LOGGING_CATEGORY(lcMessages, "zyne.messages")

namespace zyne {

namespace {
constexpr quint32 kLargestPassword = 9999;
constexpr quint32 kLargestBrightnessStep = 10;
constexpr quint32 kLargestLightSpeed = 3;

bool isPlusViewMessage(quint32 msg) {
    switch (msg) {
    case 0x8117:
    case 0x8120:
    case 0x8122:
    case 0x8124:
    case 0x8125:
    case 0x8126:
        return true;
    default:
        return false;
    }
}

bool isIgnoredMessage(quint32 msg) {
    switch (msg) {
    case 0x8108:
    case 0x8115:
    case 0x8118:
    case 0x8119:
    case 0x8121:
    case 0x8123:
        return true;
    default:
        return false;
    }
}
} // namespace

bool WindowMessageRouter::route(quint32 msg, quint32 wParam, quint32 lParam) {
    qCDebug(lcMessages).nospace() << "msgType: 0x" << Qt::hex << msg << Qt::dec << " wParam:" << wParam
                                  << " lParam:" << lParam;
    auto settings = ApplicationSettings::get();
    switch (msg) {
    case 0x8101:
        qCDebug(lcMessages) << "8101:" << wParam;
        m_window.setMainViewShown(wParam != 0);
        return true;
    case 0x8102:
        settings.autoUpdate = wParam != 0;
        storeSettings(settings);
        return true;
    case 0x8103:
        settings.openPassword = wParam != 0;
        storeSettings(settings);
        return true;
    case 0x8104:
        setPassword(wParam);
        return true;
    case 0x8105:
        qCDebug(lcMessages) << "isShow1:" << wParam;
        if (wParam != 0)
            m_window.hide();
        return true;
    case 0x8106:
        if (!isBoxIndex(static_cast<int>(qMin<quint32>(wParam, kBoxCount))))
            qCWarning(lcMessages) << "message 0x8106: no box" << wParam << "- ignored";
        else
            m_window.changeBox(static_cast<int>(wParam));
        return true;
    case 0x8107:
        if (wParam >= static_cast<quint32>(kProfileCount))
            qCWarning(lcMessages) << "message 0x8107: no profile" << wParam + 1ULL << "- ignored";
        else
            m_window.setCurrentProfile(static_cast<int>(wParam) + 1);
        return true;
    case 0x8109:
        qCDebug(lcMessages) << "btn_performance";
        return true;
    case 0x8110:
        qCDebug(lcMessages) << "pushSilent()";
        return true;
    default:
        break;
    }
    if (isPlusViewMessage(msg)) {
        routeToPlusView(msg, wParam, lParam);
        return true;
    }
    if (isIgnoredMessage(msg))
        return true;
    qCWarning(lcMessages).nospace() << "unknown message 0x" << Qt::hex << msg << " - ignored";
    return false;
}

void WindowMessageRouter::setPassword(quint32 wParam) {
    if (wParam > kLargestPassword) {
        qCWarning(lcMessages) << "message 0x8104: a password has four digits, got" << wParam << "- ignored";
        return;
    }
    auto settings = ApplicationSettings::get();
    settings.password = QStringLiteral("%1").arg(wParam, 4, 10, QLatin1Char('0'));
    settings.openPassword = wParam != 0;
    storeSettings(settings);
}

void WindowMessageRouter::storeSettings(const ApplicationSettingsValues& settings) {
    ApplicationSettings::set(settings);
    // The settings menu shows what is stored, not what was last clicked.
    ui::MainView* view = m_window.mainView();
    view->setAutoUpdate(settings.autoUpdate);
    view->setPasswordLock(settings.openPassword);
    view->setPassword(settings.password);
    m_window.writeDeviceProfile();
}

void WindowMessageRouter::routeToPlusView(quint32 msg, quint32 wParam, quint32 lParam) {
    const auto refuse = [msg](const char* what, quint32 value) {
        qCWarning(lcMessages).nospace()
            << "message 0x" << Qt::hex << msg << Qt::dec << ": " << what << " " << value << " - ignored";
    };
    ui::RainbowFan* view = lParam < static_cast<quint32>(kPlusPortCount)
                               ? m_window.mainView()->plusView(static_cast<int>(lParam))
                               : nullptr;
    if (view == nullptr) {
        refuse("no Plus view", lParam);
        return;
    }
    const int value = static_cast<int>(qMin<quint32>(wParam, INT_MAX));
    switch (msg) {
    case 0x8117:
        qCDebug(lcMessages) << "isShow1:" << wParam;
        qCDebug(lcMessages) << "isShow2:" << lParam;
        if (wParam > kLargestBrightnessStep)
            return refuse("no brightness step", wParam);
        view->setBrightnessLevel(value);
        return;
    case 0x8120: {
        const QString selection = ui::selectionFromBits(wParam);
        if (selection.isEmpty())
            return refuse("more than 12 LEDs in", wParam);
        view->setLedSelection(selection);
        return;
    }
    case 0x8122:
        if (!ui::isOfferedLightMode(view->port(), value))
            return refuse("no light mode of this view:", wParam);
        view->pickLightMode(value);
        return;
    case 0x8124:
        if (wParam > static_cast<quint32>(ui::ColorOff))
            return refuse("no colour mode", wParam);
        if (!ui::isOfferedColorMode(view->effectiveLightMode(), view->colorMode(), value))
            return refuse("a colour mode the light mode doesn't offer:", wParam);
        view->pickColorMode(value);
        return;
    case 0x8125:
        if (wParam != 0)
            view->lightSpeedRight();
        else
            view->lightSpeedLeft();
        return;
    case 0x8126:
        if (wParam > kLargestLightSpeed)
            return refuse("no light speed", wParam);
        view->pickLightSpeed(value);
        return;
    default:
        return;
    }
}

} // namespace zyne
