#include "AwtController.h"
#include "PresenceString.h"
#include "ZynePlusCommandHelper.h"

namespace zyne {

namespace {
// What a box is when no Plus controller answers at its index: the AWT controller still holds it
// while its chip handle is open.
int typeWithoutPlusController(const ControllerBox& target) {
    return target.awtHandle >= 0 ? BoxAwt : BoxAbsent;
}
} // namespace

void ZynePlusCommandHelper::getZynePlus() {
    qCDebug(lcPlus) << "getZynePlus";
    for (int i = 0; i < kBoxCount; ++i) {
        const bool opened = discoverBox(i, "getZynePlus---2---1---", "getZynePlus---2---2---");
        if (!opened)
            boxArray[static_cast<std::size_t>(i)].boxType =
                typeWithoutPlusController(boxArray[static_cast<std::size_t>(i)]);
    }
    qCDebug(lcPlus) << "checkControllerStr:" << checkControllerStr().text();
}

void ZynePlusCommandHelper::getZynePlusByOne(int boxNum) {
    qCDebug(lcPlus) << "getZynePlusByOne";
    if (!isBoxIndex(boxNum)) {
        qCWarning(lcPlus) << "getZynePlusByOne: no such box" << boxNum;
        return;
    }
    discoverBox(boxNum, "getZynePlusByOne---2---1---", "getZynePlusByOne---2---2---");
    const bool answered = boxArray[static_cast<std::size_t>(boxNum)].isPlusConnected();
    // A controller plugged back in starts dark: it gets its ports from the record at once.
    if (answered)
        resendPorts(boxNum);
    emit sendCanControl(boxNum, answered);
}

// Opens and probes one box. Returns whether a handle could be opened; on an open failure the box
// type is left to the caller (a full discovery clears it, a single re-discovery keeps it).
bool ZynePlusCommandHelper::discoverBox(int boxNum, const char* openLog, const char* afterLog) {
    ControllerBox& target = boxArray[static_cast<std::size_t>(boxNum)];
    // The handle being replaced is closed here.
    target.handle = hidBackend().open(kMakerVendorId, plusProductId(boxNum));
    target.isConnected = false;
    target.replies.reset();
    qCDebug(lcPlus) << openLog << boxNum << static_cast<const void*>(target.handle.get());

    bool opened = false;
    if (!target.handle) {
        checkControllerStr().setPresent(boxNum, false);
        qCDebug(lcPlus) << "Not OPEN";
    } else {
        opened = true;
        PlusReply reply;
        const ExchangeResult result = exchangeReport(*target.handle, plusreport::probe(), reply);
        if (result.written < 0) {
            checkControllerStr().setPresent(boxNum, false);
            target.boxType = typeWithoutPlusController(target);
            qCDebug(lcPlus) << "handle---FF";
        } else {
            checkControllerStr().setPresent(boxNum, true);
            target.isConnected = true;
            target.boxType = BoxPlus;
            qCDebug(lcPlus) << "handle---OK";
        }
    }
    qCDebug(lcPlus) << afterLog << boxNum;
    return opened;
}

void ZynePlusCommandHelper::getAWTZynePlus() {
    qCDebug(lcPlus) << "getAWTZynePlus";
}

QString ZynePlusCommandHelper::firmwareVersion(int boxNum) {
    if (!isBoxIndex(boxNum)) {
        qCWarning(lcPlus) << "firmware query: no such box" << boxNum;
        return QStringLiteral("0");
    }
    const ControllerBox& target = boxArray[static_cast<std::size_t>(boxNum)];
    qCDebug(lcPlus) << "getFirmware---boxArray[boxNum].boxType:" << target.boxType;
    if (target.isPlusConnected()) {
        PlusReply reply;
        // Asked for by the user, rarely: worth the full wait even from a box that went quiet.
        if (exchange(boxNum, plusreport::firmwareQuery(), Precondition::PlusConnected, &reply,
                     BoxReplyWatch::Wait::Always)
                .read >= 5)
            return parseFirmwareReply(reply);
        qCWarning(lcPlus).noquote() << boxLabel(boxNum) << "gave no firmware reply";
        return QStringLiteral("0");
    }
    return QStringLiteral("0");
}

void ZynePlusCommandHelper::receivePlusFirmware(int boxNum) {
    // The AWT controller answers through its chip, off this thread.
    if (isBoxIndex(boxNum) && !box(boxNum).isPlusConnected() && box(boxNum).boxType == BoxAwt) {
        qCDebug(lcPlus) << "getFirmware---boxArray[boxNum].boxType:" << box(boxNum).boxType;
        m_awt->requestFirmware(boxNum);
        return;
    }
    emit sendPlusFirmware(firmwareVersion(boxNum));
}

} // namespace zyne
