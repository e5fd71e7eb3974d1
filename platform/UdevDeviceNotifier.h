#pragma once

#include "DeviceNotifier.h"

struct udev;
struct udev_monitor;
class QSocketNotifier;

namespace zyne {

// Device arrival and removal from udev: a monitor on the hidraw subsystem, read when its socket
// has data. Events come after udev's rules ran, so an arrived node already carries its access.
class UdevDeviceNotifier : public DeviceNotifier {
    Q_OBJECT
public:
    explicit UdevDeviceNotifier(QObject* parent = nullptr);
    ~UdevDeviceNotifier() override;

    bool start() override;

private:
    void readEvents();

    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace zyne
