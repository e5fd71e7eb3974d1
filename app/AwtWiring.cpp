// The main window's part in finding the AWT controller.
#include "AwtController.h"
#include "PresenceString.h"
#include "SelectedBox.h"
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
    // Someone who plugged in only the AWT controller expects to see it: select it when no other
    // kind of box is there to be shown.
    if (awtPresenceStr().isPresent(selectedBox()))
        return;
    for (int box = 0; box < kBoxCount; ++box) {
        if (checkControllerStr().isPresent(box) || classicPresenceStr().isPresent(box))
            return;
    }
    for (int box = 0; box < kBoxCount; ++box) {
        if (awtPresenceStr().isPresent(box)) {
            qCDebug(lcMain) << "selected AWT box" << box;
            changeBox(box);
            startReadSpeedTimer();
            return;
        }
    }
}

} // namespace zyne
