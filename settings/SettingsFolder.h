#pragma once

#include <QString>

namespace zyne {

// The per-user folder of Device.ini and the profile files: beside the "Vx/application" INI file
// of the user-scope settings store, in "RGBZynePlus" (honours XDG_CONFIG_HOME).
QString settingsFolder();

QString deviceIniPath(const QString& folder);
// Profile 3 is "ZynePlus/Profile3.ini".
QString plusProfilePath(const QString& folder, int profile);
// Profile 1 is "Zyne/Zyne Profile1.ini" (the blank is part of the name).
QString classicProfilePath(const QString& folder, int profile);

} // namespace zyne
