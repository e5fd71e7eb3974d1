#include "UdevDeviceNotifier.h"

#include "HidrawInterfaceName.h"

#include <QLoggingCategory>
#include <QSocketNotifier>

#include <libudev.h>

Q_LOGGING_CATEGORY(lcDeviceNotifier, "zyne.devices")

namespace zyne {

namespace {
// More than this many queued events in one wake-up are left for the next one, so a flood of
// events never holds the GUI thread.
constexpr int kMaxEventsPerWakeUp = 64;
} // namespace

UdevDeviceNotifier::UdevDeviceNotifier(QObject* parent) : DeviceNotifier(parent) {}

UdevDeviceNotifier::~UdevDeviceNotifier() {
    delete m_notifier;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

bool UdevDeviceNotifier::start() {
    if (m_notifier)
        return true;
    m_udev = udev_new();
    if (m_udev)
        m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor || udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        qCWarning(lcDeviceNotifier) << "hDevNotify----failes-----error"
                                    << "(no udev monitor: controllers plugged in or out go unnoticed)";
        return false;
    }
    m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read);
    connect(m_notifier, &QSocketNotifier::activated, this, &UdevDeviceNotifier::readEvents);
    qCDebug(lcDeviceNotifier) << "hDevNotify----success";
    return true;
}

void UdevDeviceNotifier::readEvents() {
    // The monitor's socket does not block: receiving ends when nothing is queued.
    for (int i = 0; i < kMaxEventsPerWakeUp; ++i) {
        udev_device* device = udev_monitor_receive_device(m_monitor);
        if (!device)
            return;
        const QByteArray action = udev_device_get_action(device);
        const bool hidraw = qstrcmp(udev_device_get_subsystem(device), "hidraw") == 0;
        const QString name = hidrawInterfaceName(QString::fromLocal8Bit(udev_device_get_devpath(device)));
        udev_device_unref(device);
        const bool arrived = action == "add";
        if (!hidraw || name.isEmpty() || (!arrived && action != "remove"))
            continue;
        emit deviceChanged(name, arrived);
    }
}

} // namespace zyne
