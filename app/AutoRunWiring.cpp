// The main window's part of autorun: the log-in entry follows the tray switch, and a log-in start
// with autorun on stays in the tray.
#include "ApplicationSettings.h"
#include "AutoStart.h"
#include "VxZyneRainbow.h"

#include <QApplication>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcMain)

namespace zyne {

void VxZyneRainbow::applyAutoRun() {
    AutoStart entry(QApplication::applicationFilePath());
    if (ApplicationSettings::get().isAutoRun)
        entry.registerEntry();
    else
        entry.unregisterEntry();
}

void VxZyneRainbow::startHiddenAtLogin() {
    if (AutoStart::startedAtLogin() && ApplicationSettings::get().isAutoRun) {
        qCDebug(lcMain) << "started at log-in: tray only";
        setMainViewShown(false);
    }
}

} // namespace zyne
