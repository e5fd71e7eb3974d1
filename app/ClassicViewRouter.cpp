#include "ClassicViewRouter.h"

#include "ApplicationSettings.h"
#include "ClassicFanState.h"
#include "ClassicReports.h"
#include "ClassicWiring.h"
#include "MainView.h"
#include "SelectedBox.h"
#include "VxZyneRainbow.h"

#include <QLoggingCategory>
#include <QPointer>

#include <cmath>

Q_LOGGING_CATEGORY(lcClassicRoute, "zyne.main.route")

namespace zyne {

namespace {
bool isClassicFan(int fan) {
    return fan >= 0 && fan < kClassicFanCount;
}
} // namespace

ClassicViewRouter::ClassicViewRouter(VxZyneRainbow* window, ui::MainView* view)
    : QObject(window), m_window(window), m_view(view) {}

void ClassicViewRouter::receiveZyneMainData(const QStringList& data) {
    qCDebug(lcClassicRoute) << "receiveZyneMainData:" << data;
    const QString word = data.value(0);
    bool ok = false;
    const int fan = data.value(1).toInt(&ok);
    if (!ok || !isClassicFan(fan)) {
        qCWarning(lcClassicRoute) << "receiveZyneMainData: a command for no classic fan:" << data;
        return;
    }
    const int box = selectedBox();
    if (sendChange(word, box, fan, data))
        changeSent(box, fan);
}

bool ClassicViewRouter::sendChange(const QString& word, int box, int fan, const QStringList& data) {
    if (word == QLatin1String("btn_performance") || word == QLatin1String("btn_silent") ||
        word == QLatin1String("slider_FanSpeed_Num")) {
        qCDebug(lcClassicRoute).noquote() << word << fan;
        return false;
    }
    if (word == QLatin1String("btn_copy")) {
        emit m_window->sendZyneCopy(box, fan);
        return true;
    }
    if (word == QLatin1String("btn_turnon")) {
        emit m_window->sendZyneSwitchLed(box, fan, false);
        return true;
    }
    bool ok = false;
    if (word == QLatin1String("changeSliderLight")) {
        const float bright = data.value(2).toFloat(&ok);
        if (!ok || !std::isfinite(bright) || bright < 0.0F || bright > 1.0F) {
            qCWarning(lcClassicRoute) << "changeSliderLight: not a brightness factor:" << data;
            return false;
        }
        emit m_window->sendZyneBrighr(box, fan, bright);
        return true;
    }
    const int value = data.value(2).toInt(&ok);
    if (!ok) {
        qCWarning(lcClassicRoute) << "receiveZyneMainData: a command without its value:" << data;
        return false;
    }
    if (word == QLatin1String("btn_done")) {
        emit m_window->sendZyneChangeLight(box, fan, value, false);
        qCDebug(lcClassicRoute).nospace() << "isOpenSyncPwrix:" << ApplicationSettings::get().isSyncPwrix
                                          << ", fanNum:" << fan;
    } else if (word == QLatin1String("btn_pwm")) {
        emit m_window->sendZyneSwitchPWM(box, fan, value != 0);
    } else if (word == QLatin1String("btn_turnoff")) {
        emit m_window->sendZyneSwitchLed(box, fan, value != 0);
    } else if (word == QLatin1String("changeSliderFanSpeed")) {
        if (value < 0 || value > kClassicMaxLevel) {
            qCWarning(lcClassicRoute) << "changeSliderFanSpeed: no level" << value;
            return false;
        }
        emit m_window->sendChangeFanSpeed(box, fan, value, 0);
    } else if (word == QLatin1String("pushMonitor")) {
        emit m_window->sendZyneMonitor(box, fan, value != 0);
    } else {
        qCWarning(lcClassicRoute) << "a command the classic engine doesn't take:" << data;
        return false;
    }
    return true;
}

void ClassicViewRouter::receiveZyneRGBData(int red, int green, int blue, float bright, int fan) {
    qCDebug(lcClassicRoute) << "receiveZyneRGBData:" << red << green << blue << bright << fan;
    if (!isClassicFan(fan) || !std::isfinite(bright)) {
        qCWarning(lcClassicRoute) << "receiveZyneRGBData: colour for no classic fan - dropped";
        return;
    }
    const int box = selectedBox();
    emit m_window->sendZyneRGBDataToCommand(box, red, green, blue, bright, fan);
    changeSent(box, fan);
}

void ClassicViewRouter::changeSent(int box, int fan) {
    ClassicWiring* classic = m_window->classic();
    if (!classic)
        return;
    const std::pair<int, int> key{box, fan};
    ++m_unhandled[key].changes;
    QPointer<ClassicViewRouter> self(this);
    classic->whenHandled([self, key] {
        if (!self)
            return;
        auto found = self->m_unhandled.find(key);
        if (found == self->m_unhandled.end() || --found->second.changes > 0)
            return;
        const bool heldBack = found->second.reportHeldBack;
        self->m_unhandled.erase(found);
        // The engine has the fan as the user left it now; its fresh report replaces the one held back.
        if (heldBack && key.first == selectedBox())
            emit self->m_window->sendResetViewRequest();
    });
}

void ClassicViewRouter::showPort(int box, int fan, int lightMode, int red, int green, int blue, float bright,
                                 int speed, bool isTurnOff, bool monitor, bool pwm) {
    qCDebug(lcClassicRoute).nospace() << "set bright:" << bright << ", BOX:" << box << ", Fan:" << fan;
    ui::ZyneRGBFanView* view = m_view->classicView(fan);
    // A report queued before the user chose another box belongs to no view now.
    if (!view || box != selectedBox())
        return;
    if (auto unhandled = m_unhandled.find({box, fan}); unhandled != m_unhandled.end()) {
        qCDebug(lcClassicRoute) << "report of box" << box << "fan" << fan << "held back: a change is on its way";
        unhandled->second.reportHeldBack = true;
        return;
    }
    ui::ClassicViewState state;
    state.lightMode = lightMode;
    state.red = red;
    state.green = green;
    state.blue = blue;
    state.bright = bright;
    state.speed = speed;
    state.isTurnOff = isTurnOff;
    state.monitor = monitor;
    state.pwm = pwm;
    view->setState(state);
}

} // namespace zyne
