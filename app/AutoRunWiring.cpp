// The main window's part of autorun: the log-in entry follows the tray switch, and a start from it
// (--hidden) stays in the tray when there is one.
#include "ApplicationSettings.h"
#include "AutoStart.h"
#include "StartVisibility.h"
#include "VxZyneRainbow.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QSystemTrayIcon>

Q_DECLARE_LOGGING_CATEGORY(lcMain)

namespace zyne {

void VxZyneRainbow::applyAutoRun() {
    AutoStart entry(QApplication::applicationFilePath());
    if (ApplicationSettings::get().isAutoRun)
        entry.registerEntry();
    else
        entry.unregisterEntry();
}

void VxZyneRainbow::applyStartVisibility(bool hiddenOption) {
    StartCircumstances start;
    start.hiddenOption = hiddenOption;
    start.markedLoginStart = AutoStart::startedAtLogin();
    start.autoRun = ApplicationSettings::get().isAutoRun;
    start.trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();
    const StartVisibility visibility = startVisibility(start);
    qCInfo(lcMain).noquote() << "start:" << visibility.reason;
    setMainViewShown(!visibility.hidden);
}

} // namespace zyne
