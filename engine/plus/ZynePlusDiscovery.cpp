#include "AwtController.h"
#include "PresenceString.h"
#include "ZynePlusCommandHelper.h"

#include <array>
#include <chrono>

namespace zyne {

namespace {
// What a box is when no Plus controller answers at its index: the AWT controller still holds it
// while its chip handle is open.
int typeWithoutPlusController(const ControllerBox& target) {
    return target.awtHandle >= 0 ? BoxAwt : BoxAbsent;
}

// A probe is one exchange: its worker is done within a reply timeout, unless the device stalls the
// write itself.
constexpr std::chrono::milliseconds kProbeWait{20 * kReplyTimeoutMs};
} // namespace

void ZynePlusCommandHelper::getZynePlus() {
    qCDebug(lcPlus) << "getZynePlus";
    // Every box is probed at once, each on its own worker: start-up waits for the slowest box, not
    // for all of them one after the other.
    std::array<bool, kBoxCount> opened{};
    for (int i = 0; i < kBoxCount; ++i)
        opened[static_cast<std::size_t>(i)] = openBox(i, "getZynePlus---2---1---");
    for (int i = 0; i < kBoxCount; ++i) {
        takeProbeAnswer(i, "getZynePlus---2---2---");
        if (!opened[static_cast<std::size_t>(i)])
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
    openBox(boxNum, "getZynePlusByOne---2---1---");
    takeProbeAnswer(boxNum, "getZynePlusByOne---2---2---");
    const bool answered = boxArray[static_cast<std::size_t>(boxNum)].isPlusConnected();
    // A controller plugged back in starts dark: it gets its ports from the record at once.
    if (answered)
        resendPorts(boxNum);
    emit sendCanControl(boxNum, answered);
}

// Opens one box and gives its probe to the box's new worker. Returns whether a handle could be
// opened; on an open failure the box type is left to the caller (a full discovery clears it, a
// single re-discovery keeps it).
bool ZynePlusCommandHelper::openBox(int boxNum, const char* openLog) {
    ControllerBox& target = boxArray[static_cast<std::size_t>(boxNum)];
    std::unique_ptr<HidDevice> handle = hidBackend().open(kMakerVendorId, plusProductId(boxNum));
    // The worker of the handle being replaced finishes what it was given and closes it.
    target.worker.reset();
    target.isConnected = false;
    target.replies.reset();
    qCDebug(lcPlus) << openLog << boxNum << static_cast<const void*>(handle.get());
    if (!handle) {
        checkControllerStr().setPresent(boxNum, false);
        qCDebug(lcPlus) << "Not OPEN";
        return false;
    }
    target.worker = std::make_unique<PlusBoxWorker>(std::move(handle), boxLabel(boxNum));
    BoxJob probe;
    probe.kind = BoxJob::Kind::Probe;
    probe.report = plusreport::probe();
    target.worker->post(std::move(probe));
    return true;
}

void ZynePlusCommandHelper::takeProbeAnswer(int boxNum, const char* afterLog) {
    ControllerBox& target = boxArray[static_cast<std::size_t>(boxNum)];
    if (target.worker) {
        // Rather than stand still, a probe stuck in the device is taken in by a later tick.
        if (!target.worker->waitUntilIdle(kProbeWait)) {
            qCWarning(lcPlus).noquote() << boxLabel(boxNum) << "is slow to take its probe";
            m_boxResultTick.start();
        }
        std::vector<BoxJobResult> results;
        target.worker->collect(results);
        for (const BoxJobResult& result : results)
            takeBoxResult(boxNum, result);
    }
    qCDebug(lcPlus) << afterLog << boxNum;
}

void ZynePlusCommandHelper::applyProbe(int boxNum, const ExchangeResult& result) {
    ControllerBox& target = boxArray[static_cast<std::size_t>(boxNum)];
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
