#pragma once

#include <QString>

namespace zyne {

// The Main group of Device.ini as the process uses it.
struct ApplicationSettingsValues {
    bool autoUpdate = false;
    int language = 0;
    QString password = QStringLiteral("5173");
    bool openPassword = false;
    bool isAutoRun = false;
    bool isSyncPwrix = false;
    // Who may reach the mobile app server: 0 nobody (off), 1 every interface, 2 this PC only.
    int mobileServer = 1;
    // Base address of the update service ("https://host[:port]"); empty: no update check is sent.
    QString updateServer = QString();
    // Power-supply models whose fan ring is lit, comma-separated; empty: the built-in list.
    QString pwrixModels = QString();
};

// Process-wide application settings. Written on the GUI thread, read from every thread,
// so each access copies under a lock.
class ApplicationSettings {
public:
    static ApplicationSettingsValues get();
    static void set(const ApplicationSettingsValues& values);
};

} // namespace zyne
