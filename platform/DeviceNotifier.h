#pragma once

#include <QObject>
#include <QString>

namespace zyne {

// Tells the main window when a HID interface arrives or leaves. The interface is named the way
// Windows names it (\\?\HID#VID_264A&PID_1FA5#...), so the name-to-box mapping stays one.
class DeviceNotifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Starts listening; false (and logged) when the system refuses, then no change is noticed.
    virtual bool start() = 0;

Q_SIGNALS:
    void deviceChanged(const QString& interfaceName, bool arrived);
};

} // namespace zyne
