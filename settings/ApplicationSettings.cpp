#include "ApplicationSettings.h"

#include <QMutex>
#include <QMutexLocker>

namespace zyne {

namespace {
QMutex& settingsMutex() {
    static QMutex mutex;
    return mutex;
}
ApplicationSettingsValues& settingsValues() {
    static ApplicationSettingsValues values;
    return values;
}
} // namespace

ApplicationSettingsValues ApplicationSettings::get() {
    QMutexLocker lock(&settingsMutex());
    return settingsValues();
}

void ApplicationSettings::set(const ApplicationSettingsValues& values) {
    QMutexLocker lock(&settingsMutex());
    settingsValues() = values;
}

} // namespace zyne
