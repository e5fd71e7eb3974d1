#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

struct udev;
struct udev_device;
struct udev_monitor;
class QSocketNotifier;

namespace zyne {

// Whether a USB product of the maker (vendor 264a) is one of its hot-key keyboards.
bool isMakerKeyboardProduct(quint16 productId);

// Key events of the maker's keyboards (264a:3006, 264a:3009) read through libevdev. The devices
// are only read, never grabbed, so every key still reaches the desktop; other keyboards are never
// opened. A keyboard unplugged and plugged back in is opened again.
class MakerKeyboards : public QObject {
    Q_OBJECT
public:
    explicit MakerKeyboards(QObject* parent = nullptr);
    ~MakerKeyboards() override;

    // Opens the keyboards present now and watches for more; false when udev can't be used.
    bool start();
    int openCount() const { return static_cast<int>(m_keyboards.size()); }

signals:
    // value: 1 pressed, 2 repeated, 0 released.
    void keyEvent(unsigned code, int value);

private:
    struct Keyboard;
    void openIfMakerKeyboard(udev_device* device);
    void readKeyboard(Keyboard* keyboard);
    void close(Keyboard* keyboard);
    void closeRemoved(udev_device* device);
    void readMonitor();

    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    QSocketNotifier* m_monitorNotifier = nullptr;
    std::vector<std::unique_ptr<Keyboard>> m_keyboards;
};

} // namespace zyne
