#pragma once

#include <QObject>
#include <QString>

namespace zyne {

class DeviceNotifier;
class VxZyneRainbow;

// What the main window does when a controller is plugged in or removed: the box's presence
// character changes at once, its engine re-discovers it (a Plus box that answers gets its ports
// from its record) and the device list is checked against discovery again.
class DeviceChangeHandler : public QObject {
    Q_OBJECT
public:
    DeviceChangeHandler(VxZyneRainbow& window, DeviceNotifier* notifier);

    // Returns whether the interface named one of the controllers.
    bool handleDeviceChange(const QString& interfaceName, bool arrived);

private:
    VxZyneRainbow& m_window;
};

} // namespace zyne
