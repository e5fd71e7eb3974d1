#include "ClassicReports.h"
#include "PresenceString.h"
#include "ZyneCommandHelper.h"
#include "ZynePlusCommandHelper.h"

namespace zyne {

void ZyneCommandHelper::getZyneController() {
    findControllers();
    lightFoundControllers();
}

void ZyneCommandHelper::findControllers() {
    qCDebug(lcClassic) << "getZyneController";
    hidBackend().listAfresh();
    const DeviceSettings settings = m_ini.readDeviceIni();
    for (int b = 0; b < kBoxCount; ++b) {
        loadDeviceRecord(b, settings);
        discoverBox(b);
    }
    qCDebug(lcClassic) << "ZyneCommandHelper---getZyne---checkControllerStr:" << checkControllerStr().text();
    qCDebug(lcClassic) << "ZyneCommandHelper---getZyne---checkZyne:" << classicPresenceStr().text();
}

void ZyneCommandHelper::lightFoundControllers() {
    for (int b = 0; b < kBoxCount; ++b) {
        loadSavedProfile(b);
        if (box(b).isConnected)
            resendPorts(b);
    }
}

void ZyneCommandHelper::getZyneControllerByOne(int boxNum) {
    qCDebug(lcClassic) << "getZyneControllerByOne" << boxNum;
    if (!isBoxIndex(boxNum)) {
        qCWarning(lcClassic) << "getZyneControllerByOne: no such box" << boxNum;
        return;
    }
    loadDeviceRecord(boxNum, m_ini.readDeviceIni());
    hidBackend().listAfresh();
    discoverBox(boxNum);
    qCDebug(lcClassic) << "ZyneCommandHelper---getZyne---checkControllerStr:" << checkControllerStr().text();
    qCDebug(lcClassic) << "ZyneCommandHelper---getZyne---checkZyne:" << classicPresenceStr().text();
    // A Plus box holds the index: it is not ours to report on.
    if (checkControllerStr().isPresent(boxNum))
        return;
    emit sendCanControl(boxNum, box(boxNum).isConnected);
    loadSavedProfile(boxNum);
    if (box(boxNum).isConnected)
        resendPorts(boxNum);
}

void ZyneCommandHelper::loadDeviceRecord(int boxNum, const DeviceSettings& settings) {
    const DeviceRecord& stored = settings.devices[static_cast<std::size_t>(boxNum)];
    ClassicBox& target = record(boxNum);
    // A box found by the probe keeps its found state; the others take what was last stored.
    if (!target.isConnected)
        target.boxType = boxTypeFrom(stored);
    target.Profile = savedProfileFrom(stored);
    target.currentProfile = target.Profile;
    applyDeviceRecord(stored, target.fans);
}

// A Plus box and a classic box never share an index: the classic box is only looked for where
// Plus discovery found nothing.
void ZyneCommandHelper::discoverBox(int boxNum) {
    if (checkControllerStr().isPresent(boxNum))
        return;
    ClassicBox& target = record(boxNum);
    target.isConnected = false;
    // The handle being replaced is closed here.
    target.handle = hidBackend().open(kMakerVendorId, classicProductId(boxNum));
    target.replies.reset();
    if (!target.handle) {
        classicPresenceStr().setPresent(boxNum, false);
        return;
    }
    PlusReply reply;
    if (exchangeReport(*target.handle, plusreport::probe(), reply).written < 0) {
        classicPresenceStr().setPresent(boxNum, false);
        qCDebug(lcClassic).noquote() << boxLabel(boxNum) << "classic probe failed";
        return;
    }
    target.isConnected = true;
    target.boxType = kClassicBoxFound;
    classicPresenceStr().setPresent(boxNum, true);
    qCDebug(lcClassic).noquote() << boxLabel(boxNum) << "classic controller found";
}

QString ZyneCommandHelper::firmwareVersion(int boxNum) {
    if (!isBoxIndex(boxNum) || !box(boxNum).isConnected) {
        qCDebug(lcClassic) << "firmware query: no classic box" << boxNum;
        return QStringLiteral("0");
    }
    // The user asked: the reply gets its full wait even from a box that has been slow.
    PlusReply reply;
    if (exchange(boxNum, plusreport::firmwareQuery(), &reply, BoxReplyWatch::Wait::Always).read >= 5)
        return parseFirmwareReply(reply);
    qCWarning(lcClassic).noquote() << boxLabel(boxNum) << "gave no firmware reply";
    return QStringLiteral("0");
}

void ZyneCommandHelper::receiveZyneFirmware(int boxNum) {
    emit sendZyneFirmware(firmwareVersion(boxNum));
}

} // namespace zyne
