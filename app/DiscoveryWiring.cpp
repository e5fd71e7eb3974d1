// The main window's part in finding the boxes: the box it shows once the Plus and then the classic
// boxes have answered their probes, and the check of what was found against the system's device list.
#include "ClassicWiring.h"
#include "DeviceList.h"
#include "PresenceString.h"
#include "ScanUSB.h"
#include "SelectedBox.h"
#include "ViewRouter.h"
#include "VxZyneRainbow.h"
#include "ZynePlusCommandHelper.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcMain)

namespace zyne {

void VxZyneRainbow::followPlusDiscovery() {
    // The Plus boxes answer their probes on their workers while the window is already up.
    connect(m_plus, &ZynePlusCommandHelper::discoveryFinished, this, &VxZyneRainbow::plusDiscoveryFinished);
    if (!m_plus->isDiscovering())
        plusDiscoveryFinished();
}

void VxZyneRainbow::plusDiscoveryFinished() {
    if (!m_classicLookedFor) {
        m_classicLookedFor = true;
        m_classic->findControllers([this] { showDiscoveredBoxes(); });
        return;
    }
    runDeferredCheck();
}

bool VxZyneRainbow::discoveryUnderWay() const {
    return !m_boxesFound || m_plus->isDiscovering();
}

void VxZyneRainbow::runDeferredCheck() {
    if (!m_checkAfterDiscovery || discoveryUnderWay())
        return;
    m_checkAfterDiscovery = false;
    m_deviceList->whenCurrent("consistency check", [this](const std::vector<MakerDevice>& devices) {
        checkAgainstDeviceList(devices);
    });
}

void VxZyneRainbow::showDiscoveredBoxes() {
    m_boxesFound = true;
    selectFirstBox();
    m_router->showFirstPresentBox();
    // Every port once more, now that the effect timers listen (a controller may miss a report).
    emit sendResetAllBox();
    qCDebug(lcMain) << "start: boxes found";
    runDeferredCheck();
}

void VxZyneRainbow::selectFirstBox() {
    for (int box = 0; box < kBoxCount; ++box) {
        if (checkControllerStr().isPresent(box) || classicPresenceStr().isPresent(box) ||
            awtPresenceStr().isPresent(box)) {
            setSelectedBox(box);
            qCDebug(lcMain) << "selected box" << box;
            startReadSpeedTimer();
            return;
        }
    }
}

void VxZyneRainbow::checkUSBDevice() {
    qCDebug(lcMain) << "checkUSBDevice";
    m_deviceList->refresh();
    m_deviceList->whenCurrent("consistency check", [this](const std::vector<MakerDevice>& devices) {
        // Boxes still answering their probes would all disagree: they are compared once they have.
        if (discoveryUnderWay()) {
            m_checkAfterDiscovery = true;
            return;
        }
        checkAgainstDeviceList(devices);
    });
}

void VxZyneRainbow::checkAgainstDeviceList(const std::vector<MakerDevice>& devices) {
    ScanUSB scan(listedInterfaces(devices));
    const QString plus = checkControllerStr().text();
    // The first box whose presence disagrees with the device list asks its engine to look again.
    // A classic controller at an index a Plus box holds is never looked for: it can't disagree.
    const auto check = [&](const QString& found, std::uint16_t (*productId)(int), bool classic) {
        for (int box = 0; box < kBoxCount; ++box) {
            if (classic && plus.at(box) == QLatin1Char('1'))
                continue;
            const int count = scan.count(kMakerVendorId, productId(box));
            qCDebug(lcMain).noquote().nospace()
                << boxLabel(box) << ", Windows:" << count << ", HIDAPI:" << found.at(box);
            if ((count > 0) != (found.at(box) == QLatin1Char('1'))) {
                qCDebug(lcMain).noquote() << boxLabel(box) << "disagrees with the device list: rediscovering";
                return false;
            }
        }
        return true;
    };
    if (!check(plus, plusProductId, false))
        emit sendResetBoxRequest();
    if (!check(classicPresenceStr().text(), classicProductId, true))
        emit sendResetZyneBoxRequest();
    checkDeviceAccess(devices, false);
}

} // namespace zyne
