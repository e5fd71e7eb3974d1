// The main window's part in finding the AWT controller.
#include "AwtController.h"
#include "DeviceList.h"
#include "HardwareErrorLine.h"
#include "MainView.h"
#include "PlusReports.h"
#include "PresenceString.h"
#include "ScanUSB.h"
#include "SelectedBox.h"
#include "ViewRouter.h"
#include "VxZyneRainbow.h"
#include "ZynePlusCommandHelper.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcMain)

namespace zyne {

void VxZyneRainbow::connectAwt() {
    connect(this, &VxZyneRainbow::sendCheckAWTBoxRequest, m_plus, &ZynePlusCommandHelper::checkAWTConnect);
    connect(m_plus, &ZynePlusCommandHelper::sendCheckAWTBoxSuccess, this,
            &VxZyneRainbow::checkAWTConnectSucess);
    // Every handle slot is probed; the passes run in the background and report as they end.
    awtControllerChanged(true);
}

void VxZyneRainbow::awtControllerChanged(bool arrived) {
    if (!arrived) {
        m_plus->awtController().closeAllHandles();
        return;
    }
    // Open handles stay: a pass over one finds its boxes again without losing them first.
    for (int handle = 0; handle < AwtController::kHandleCount; ++handle)
        emit sendCheckAWTBoxRequest(handle);
}

void VxZyneRainbow::checkAWTConnectSucess() {
    qCDebug(lcMain) << "checkAWTConnectSucess";
    showHardwareErrorLine();
    // Someone who plugged in only the AWT controller expects to see it: a box found while none is
    // shown becomes the selected box, as at start-up (views, firmware, speed read-back).
    if (m_router->showsPresentBox() || !m_router->showFirstPresentBox())
        return;
    qCDebug(lcMain) << "selected box" << selectedBox() << "after the AWT check";
    startReadSpeedTimer();
}

void VxZyneRainbow::showHardwareErrorLine() {
    // Each AWT pass ends here, with the device list as read after the last change.
    m_deviceList->whenCurrent(
        "error line", [this](const std::vector<MakerDevice>& devices) { showHardwareErrorLine(devices); });
}

void VxZyneRainbow::showHardwareErrorLine(const std::vector<MakerDevice>& devices) {
    auto present = ScanUSB(listedInterfaces(devices)).countByProduct(kMakerVendorId);
    DeviceCountsPerBox counts;
    int boxCount = 0;
    for (int box = 0; box < kBoxCount; ++box) {
        const auto index = static_cast<std::size_t>(box);
        counts.plus[index] = present[plusProductId(box)];
        counts.classic[index] = present[classicProductId(box)];
        counts.awt[index] = awtPresenceStr().isPresent(box) ? 1 : 0;
        const int total = counts.plus[index] + counts.classic[index] + counts.awt[index];
        qCDebug(lcMain).nospace() << "totalCount[" << box << "]:" << total;
        if (total > 0)
            ++boxCount;
    }
    qCDebug(lcMain) << "boxCount:" << boxCount;
    m_errorLineVerdict = errorLineAfterAwtCheck(counts);
    checkDeviceAccess(devices, true);
    if (boxCount == 0)
        m_router->showFirmware(QStringLiteral("0.0.0"));
}

} // namespace zyne
