#include "SettingsFolder.h"

#include <QFileInfo>
#include <QSettings>

namespace zyne {

QString settingsFolder() {
    const QSettings locator(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Vx"),
                            QStringLiteral("application"));
    return QFileInfo(locator.fileName()).absolutePath() + QStringLiteral("/RGBZynePlus");
}

QString deviceIniPath(const QString& folder) {
    return folder + QStringLiteral("/Device.ini");
}

QString plusProfilePath(const QString& folder, int profile) {
    return folder + QStringLiteral("/ZynePlus/Profile%1.ini").arg(profile);
}

QString classicProfilePath(const QString& folder, int profile) {
    return folder + QStringLiteral("/Zyne/Zyne Profile%1.ini").arg(profile);
}

} // namespace zyne
