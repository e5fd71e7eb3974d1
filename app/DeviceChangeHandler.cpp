#include "DeviceChangeHandler.h"

#include "DeviceNotifier.h"
#include "DevicePaths.h"
#include "PresenceString.h"
#include "VxZyneRainbow.h"

#include <QElapsedTimer>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcDeviceChange, "zyne.devices")

namespace zyne {

DeviceChangeHandler::DeviceChangeHandler(VxZyneRainbow& window, DeviceNotifier* notifier)
    : QObject(&window), m_window(window) {
    if (!notifier)
        return;
    notifier->setParent(this);
    connect(notifier, &DeviceNotifier::deviceChanged, this, &DeviceChangeHandler::handleDeviceChange);
    notifier->start();
}

bool DeviceChangeHandler::handleDeviceChange(const QString& interfaceName, bool arrived) {
    qCDebug(lcDeviceChange) << "Event DEVICECHANGE Happend" << (arrived ? "arrival" : "removal")
                            << interfaceName;
    QElapsedTimer handling;
    handling.start();
    bool matched = false;
    const int plusBox = plusBoxFromDevicePath(interfaceName);
    const int classicBox = plusBox == kNoBox ? classicBoxFromDevicePath(interfaceName) : kNoBox;
    if (plusBox != kNoBox) {
        // Marked before the probe; the engine's answer (sendCanControl) decides the box button.
        checkControllerStr().setPresent(plusBox, arrived);
        emit m_window.sendResetBoxRequestByOne(plusBox);
        matched = true;
        qCDebug(lcDeviceChange).nospace()
            << "Plus box " << plusBox << " handled in " << handling.nsecsElapsed() / 1000 << " us";
    } else if (classicBox != kNoBox) {
        classicPresenceStr().setPresent(classicBox, arrived);
        emit m_window.sendResetZyneBoxRequestByOne(classicBox);
        matched = true;
    }
    if (isAwtDevicePath(interfaceName)) {
        qCDebug(lcDeviceChange) << (arrived ? "AWT controller arrived" : "AWT controller removed");
        m_window.awtControllerChanged(arrived);
        matched = true;
    }
    if (!matched)
        return false;
    m_window.checkUSBDevice();
    return true;
}

} // namespace zyne
