#pragma once

#include "MakerDevices.h"

#include <QSet>
#include <QString>
#include <QStringList>

namespace zyne {

// "Found, but not allowed": devices the program drives that the system lists but this user may
// not open (no udev rule). Each such node is named once in the log and on stderr, with the fix,
// until it can be opened again.
class DeviceAccessCheck {
public:
    // Looks at every listed device; returns the nodes refused for the first time.
    QStringList check(const std::vector<MakerDevice>& devices);
    bool anyRefused() const { return !m_refused.isEmpty(); }

private:
    QSet<QString> m_refused;
};

} // namespace zyne
