// The main window's box change: which controller box the main view shows.
#include "PresenceString.h"
#include "SelectedBox.h"
#include "VxZyneRainbow.h"
#include "ZynePlusCommandHelper.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcMain)

namespace zyne {

void VxZyneRainbow::changeBox(int box) {
    qCDebug(lcMain) << "changeBox:" << box;
    const bool plus = checkControllerStr().isPresent(box);
    const bool awt = awtPresenceStr().isPresent(box);
    const bool classic = classicPresenceStr().isPresent(box);
    if (!plus && !awt && !classic) {
        qCDebug(lcMain) << "changeBox: box" << box << "is not present";
        return;
    }
    setSelectedBox(box);
    qCDebug(lcMain) << ", SelectBoxIndex:" << selectedBox();
    if (plus || awt) {
        emit sendResetPlusViewRequest();
        m_plus->receiveViewRequest();
        emit sendPlusGetFirmware(box);
    } else {
        qCDebug(lcMain) << "sendResetViewRequest";
        emit sendResetViewRequest();
        emit sendZyneGetFirmware(box);
    }
}

} // namespace zyne
