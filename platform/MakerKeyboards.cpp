#include "MakerKeyboards.h"

#include "HidrawInterfaceName.h"

#include <QLoggingCategory>
#include <QSocketNotifier>

#include <libevdev/libevdev.h>
#include <libudev.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcKeyboards, "zyne.hotkeys")

namespace zyne {

namespace {
constexpr quint16 kMakerVendor = 0x264A;
constexpr quint16 kKeyboardProducts[] = {0x3006, 0x3009};
// Events handled per wake-up, so a flood never holds the GUI thread.
constexpr int kMaxEventsPerWakeUp = 256;

bool isMakerKeyboard(const char* devpath) {
    quint16 vendor = 0;
    quint16 product = 0;
    if (!devpath || !hidIdsFromDevpath(QString::fromLocal8Bit(devpath), &vendor, &product))
        return false;
    return vendor == kMakerVendor && isMakerKeyboardProduct(product);
}
} // namespace

bool isMakerKeyboardProduct(quint16 productId) {
    for (const quint16 keyboard : kKeyboardProducts) {
        if (productId == keyboard)
            return true;
    }
    return false;
}

struct MakerKeyboards::Keyboard {
    QString node;
    int fd = -1;
    libevdev* device = nullptr;
    QSocketNotifier* notifier = nullptr;
};

MakerKeyboards::MakerKeyboards(QObject* parent) : QObject(parent) {}

MakerKeyboards::~MakerKeyboards() {
    while (!m_keyboards.empty())
        close(m_keyboards.back().get());
    delete m_monitorNotifier;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

bool MakerKeyboards::start() {
    if (m_udev)
        return true;
    m_udev = udev_new();
    if (!m_udev) {
        qCWarning(lcKeyboards) << "hHook failed: udev can't be used";
        return false;
    }
    // Watch before listing, so a keyboard plugged in meanwhile is not missed.
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (m_monitor && udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "input", nullptr) >= 0 &&
        udev_monitor_enable_receiving(m_monitor) >= 0) {
        m_monitorNotifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read);
        connect(m_monitorNotifier, &QSocketNotifier::activated, this, &MakerKeyboards::readMonitor);
    } else {
        qCWarning(lcKeyboards) << "no udev monitor: a hot-key keyboard plugged back in is not reopened";
    }

    udev_enumerate* list = udev_enumerate_new(m_udev);
    udev_enumerate_add_match_subsystem(list, "input");
    udev_enumerate_scan_devices(list);
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(list)) {
        udev_device* device = udev_device_new_from_syspath(m_udev, udev_list_entry_get_name(entry));
        if (device) {
            openIfMakerKeyboard(device);
            udev_device_unref(device);
        }
    }
    udev_enumerate_unref(list);
    return true;
}

void MakerKeyboards::openIfMakerKeyboard(udev_device* device) {
    const char* node = udev_device_get_devnode(device);
    if (!node || qstrncmp(udev_device_get_sysname(device), "event", 5) != 0 ||
        !isMakerKeyboard(udev_device_get_devpath(device)))
        return;
    for (const auto& open : m_keyboards) {
        if (open->node == QLatin1String(node))
            return;
    }
    const int fd = ::open(node, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        qCWarning(lcKeyboards) << "hHook failed:" << node << "can't be read:" << strerror(errno)
                               << "(is the udev rule installed?)";
        return;
    }
    libevdev* evdev = nullptr;
    if (libevdev_new_from_fd(fd, &evdev) < 0) {
        qCWarning(lcKeyboards) << "hHook failed:" << node << "is no event device";
        ::close(fd);
        return;
    }
    // Nodes of the keyboard without the keys the hot keys use (media keys, mouse) stay closed.
    if (!libevdev_has_event_code(evdev, EV_KEY, KEY_LEFTALT)) {
        libevdev_free(evdev);
        ::close(fd);
        return;
    }
    auto keyboard = std::make_unique<Keyboard>();
    keyboard->node = QString::fromLocal8Bit(node);
    keyboard->fd = fd;
    keyboard->device = evdev;
    keyboard->notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
    Keyboard* raw = keyboard.get();
    connect(keyboard->notifier, &QSocketNotifier::activated, this, [this, raw] { readKeyboard(raw); });
    m_keyboards.push_back(std::move(keyboard));
    qCDebug(lcKeyboards) << "setupHootKey" << node;
}

void MakerKeyboards::readKeyboard(Keyboard* keyboard) {
    for (int i = 0; i < kMaxEventsPerWakeUp; ++i) {
        input_event event{};
        int rc = libevdev_next_event(keyboard->device, LIBEVDEV_READ_FLAG_NORMAL, &event);
        if (rc == LIBEVDEV_READ_STATUS_SYNC) {
            // Events were dropped: libevdev hands the keys whose state changed meanwhile, so a lost
            // Alt release still arrives and Alt doesn't stay held.
            while (libevdev_next_event(keyboard->device, LIBEVDEV_READ_FLAG_SYNC, &event) ==
                   LIBEVDEV_READ_STATUS_SYNC) {
                if (event.type == EV_KEY)
                    emit keyEvent(event.code, event.value);
            }
            continue;
        }
        if (rc == -EAGAIN)
            return;
        if (rc < 0) {
            qCDebug(lcKeyboards) << "hot-key keyboard gone:" << keyboard->node;
            close(keyboard);
            return;
        }
        if (event.type == EV_KEY)
            emit keyEvent(event.code, event.value);
    }
}

void MakerKeyboards::close(Keyboard* keyboard) {
    delete keyboard->notifier;
    libevdev_free(keyboard->device);
    ::close(keyboard->fd);
    for (auto it = m_keyboards.begin(); it != m_keyboards.end(); ++it) {
        if (it->get() == keyboard) {
            m_keyboards.erase(it);
            return;
        }
    }
}

void MakerKeyboards::closeRemoved(udev_device* device) {
    // Closed on the notice rather than on the node's next read error, so a keyboard plugged back in
    // at once (the same node name) is not taken for the one still open.
    const char* node = udev_device_get_devnode(device);
    for (const auto& keyboard : m_keyboards) {
        if (node && keyboard->node == QLatin1String(node)) {
            qCDebug(lcKeyboards) << "hot-key keyboard gone:" << keyboard->node;
            close(keyboard.get());
            return;
        }
    }
}

void MakerKeyboards::readMonitor() {
    for (int i = 0; i < kMaxEventsPerWakeUp; ++i) {
        udev_device* device = udev_monitor_receive_device(m_monitor);
        if (!device)
            return;
        const char* action = udev_device_get_action(device);
        if (qstrcmp(action, "add") == 0)
            openIfMakerKeyboard(device);
        else if (qstrcmp(action, "remove") == 0)
            closeRemoved(device);
        udev_device_unref(device);
    }
}

} // namespace zyne
