#include "AwtController.h"
#include "PresenceString.h"
#include "ZynePlusCommandHelper.h"

namespace zyne {

void ZynePlusCommandHelper::getZynePlus() {
    qCDebug(lcPlus) << "getZynePlus";
    for (int i = 0; i < kBoxCount; ++i) {
        const bool opened = discoverBox(i, "getZynePlus---2---1---", "getZynePlus---2---2---");
        if (!opened)
            boxArray[static_cast<std::size_t>(i)].boxType = BoxAbsent;
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
    std::unique_ptr<HidDevice> handle = hidBackend().open(kMakerVendorId, plusProductId(boxNum));
    // The worker of the handle being replaced finishes what it was given and closes it.
    target.worker.reset();
    target.isConnected = false;
    target.replies.reset();
    qCDebug(lcPlus) << openLog << boxNum << static_cast<const void*>(handle.get());

    bool opened = false;
    if (!handle) {
        checkControllerStr().setPresent(boxNum, false);
        qCDebug(lcPlus) << "Not OPEN";
    } else {
        opened = true;
        PlusReply reply;
        const ExchangeResult result = exchangeReport(*handle, plusreport::probe(), reply);
        if (result.written < 0) {
            checkControllerStr().setPresent(boxNum, false);
            target.boxType = BoxAbsent;
            qCDebug(lcPlus) << "handle---FF";
        } else {
            checkControllerStr().setPresent(boxNum, true);
            target.isConnected = true;
            target.boxType = BoxPlus;
            qCDebug(lcPlus) << "handle---OK";
        }
        target.worker = std::make_unique<PlusBoxWorker>(std::move(handle), boxLabel(boxNum));
    }
    qCDebug(lcPlus) << afterLog << boxNum;
    return opened;
}

void ZynePlusCommandHelper::getAWTZynePlus() {
    qCDebug(lcPlus) << "getAWTZynePlus";
}

void ZynePlusCommandHelper::receivePlusFirmware(int boxNum) {
    if (!isBoxIndex(boxNum)) {
        qCWarning(lcPlus) << "firmware query: no such box" << boxNum;
        emit sendPlusFirmware(QStringLiteral("0"));
        return;
    }
    const ControllerBox& target = box(boxNum);
    qCDebug(lcPlus) << "getFirmware---boxArray[boxNum].boxType:" << target.boxType;
    // The AWT controller answers through its chip, off this thread.
    if (!target.isPlusConnected() && target.boxType == BoxAwt) {
        m_awt->requestFirmware(boxNum);
        return;
    }
    if (!target.isPlusConnected() || !target.worker) {
        emit sendPlusFirmware(QStringLiteral("0"));
        return;
    }
    BoxJob query;
    query.kind = BoxJob::Kind::Firmware;
    query.report = plusreport::firmwareQuery();
    // Asked for by the user, rarely: worth the full wait even from a box that went quiet.
    query.wait = BoxReplyWatch::Wait::Always;
    exchange(boxNum, std::move(query), Precondition::PlusConnected);
}

} // namespace zyne
