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
    for (int handle = 0; handle < AwtController::kHandleCount; ++handle)
        emit sendCheckAWTBoxRequest(handle);
}

void VxZyneRainbow::checkAWTConnectSucess() {
    qCDebug(lcMain) << "checkAWTConnectSucess";
    // Someone who plugged in only the AWT controller expects to see it: select it when no other
    // kind of box is there to be shown.
    if (checkControllerStr().isPresent(selectedBox()) || awtPresenceStr().isPresent(selectedBox()))
        return;
    for (int box = 0; box < kBoxCount; ++box) {
        if (checkControllerStr().isPresent(box))
            return;
    }
    for (int box = 0; box < kBoxCount; ++box) {
        if (awtPresenceStr().isPresent(box)) {
            setSelectedBox(box);
            qCDebug(lcMain) << "selected AWT box" << box;
            startReadSpeedTimer();
            return;
        }
    }
}

} // namespace zyne
