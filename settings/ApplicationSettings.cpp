#include "ApplicationSettings.h"

#include <mutex>

namespace zyne {

namespace {
std::mutex& settingsMutex() {
    static std::mutex mutex;
    return mutex;
}
ApplicationSettingsValues& settingsValues() {
    static ApplicationSettingsValues values;
    return values;
}
} // namespace

ApplicationSettingsValues ApplicationSettings::get() {
    std::lock_guard lock(settingsMutex());
    return settingsValues();
}

void ApplicationSettings::set(const ApplicationSettingsValues& values) {
    std::lock_guard lock(settingsMutex());
    settingsValues() = values;
}

} // namespace zyne
