// After the machine wakes from sleep every present box gets its lighting and fan speeds again.
#include "DeviceList.h"
#include "SleepWatcher.h"
#include "VxZyneRainbow.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcMain)

namespace zyne {

void VxZyneRainbow::watchSleep() {
    auto* watcher = new SleepWatcher(this);
    connect(watcher, &SleepWatcher::resumed, this, [this] {
        qCDebug(lcMain) << "woke from sleep: resetAllBox";
        // A box that left the bus while the machine slept is found or dropped first.
        checkUSBDevice();
        m_deviceList->whenCurrent("relight after sleep",
                                  [this](const std::vector<MakerDevice>&) { emit sendResetAllBox(); });
    });
    watcher->start();
}

} // namespace zyne
