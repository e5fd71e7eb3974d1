#include "AwtController.h"
#include "PresenceString.h"
#include "ZynePlusCommandHelper.h"

#include <algorithm>

namespace zyne {

namespace {
// What a box is when no Plus controller answers at its index: the AWT controller still holds it
// while its chip handle is open.
int typeWithoutPlusController(const ControllerBox& target) {
    return target.awtHandle >= 0 ? BoxAwt : BoxAbsent;
}

// A probe is one exchange: its worker is done within a reply timeout, unless the device stalls the
// write itself. A discovery waits no longer for it; its answer is then taken as a replug's.
constexpr int kProbeWaitMs = 20 * kReplyTimeoutMs;
} // namespace

void ZynePlusCommandHelper::getZynePlus() {
    qCDebug(lcPlus) << "getZynePlus";
    // Every box is probed at once, each on its own worker (opened in box order); the GUI thread goes
    // on and the discovery ends when the last answer is taken in.
    const auto openOrder = std::make_shared<OpenOrder>();
    hidBackend().listAfresh();
    for (int i = 0; i < kBoxCount; ++i)
        probeBox(i, ProbePurpose::Discovery, "getZynePlus---2---1---", openOrder);
    m_discoveryDeadline.start(kProbeWaitMs);
}

void ZynePlusCommandHelper::getZynePlusByOne(int boxNum) {
    qCDebug(lcPlus) << "getZynePlusByOne";
    if (!isBoxIndex(boxNum)) {
        qCWarning(lcPlus) << "getZynePlusByOne: no such box" << boxNum;
        return;
    }
    hidBackend().listAfresh();
    probeBox(boxNum, ProbePurpose::Replug, "getZynePlusByOne---2---1---", nullptr);
}

void ZynePlusCommandHelper::probeBox(int boxNum, ProbePurpose purpose, const char* probeLog,
                                     std::shared_ptr<OpenOrder> openOrder) {
    ControllerBox& target = boxArray[static_cast<std::size_t>(boxNum)];
    if (!target.worker)
        target.worker = std::make_unique<PlusBoxWorker>(boxNum, boxLabel(boxNum));
    // Until the box answers, nothing else is sent to it.
    target.isConnected = false;
    target.replies.reset();
    qCDebug(lcPlus) << probeLog << boxNum;
    BoxJob probe;
    probe.kind = BoxJob::Kind::Probe;
    probe.report = plusreport::probe();
    probe.openOrder = std::move(openOrder);
    target.worker->post(std::move(probe));
    m_probesOut[static_cast<std::size_t>(boxNum)].push_back(purpose);
    tickUntilResultsAreIn();
}

bool ZynePlusCommandHelper::isDiscovering() const {
    return std::any_of(m_probesOut.begin(), m_probesOut.end(), [](const std::deque<ProbePurpose>& out) {
        return std::find(out.begin(), out.end(), ProbePurpose::Discovery) != out.end();
    });
}

void ZynePlusCommandHelper::takeProbeAnswer(int boxNum, const BoxJobResult& result) {
    std::deque<ProbePurpose>& out = m_probesOut[static_cast<std::size_t>(boxNum)];
    const ProbePurpose purpose = out.empty() ? ProbePurpose::Replug : out.front();
    if (!out.empty())
        out.pop_front();
    ControllerBox& target = boxArray[static_cast<std::size_t>(boxNum)];
    if (!result.opened) {
        checkControllerStr().setPresent(boxNum, false);
        qCDebug(lcPlus) << "Not OPEN";
        // A full discovery clears what is not there; a single box looked up again keeps its type.
        if (purpose == ProbePurpose::Discovery)
            target.boxType = typeWithoutPlusController(target);
    } else if (result.exchange.written < 0) {
        checkControllerStr().setPresent(boxNum, false);
        target.boxType = typeWithoutPlusController(target);
        qCDebug(lcPlus) << "handle---FF";
    } else {
        checkControllerStr().setPresent(boxNum, true);
        target.isConnected = true;
        target.boxType = BoxPlus;
        qCDebug(lcPlus) << "handle---OK";
    }
    if (purpose == ProbePurpose::Discovery) {
        qCDebug(lcPlus) << "getZynePlus---2---2---" << boxNum;
        if (!isDiscovering())
            finishDiscovery();
        return;
    }
    qCDebug(lcPlus) << "getZynePlusByOne---2---2---" << boxNum;
    const bool answered = target.isPlusConnected();
    // A controller plugged back in starts dark: it gets its ports from the record at once.
    if (answered)
        resendPorts(boxNum);
    emit sendCanControl(boxNum, answered);
}

void ZynePlusCommandHelper::discoveryOverdue() {
    // Rather than wait for a box that holds its probe, the discovery ends without it; its answer,
    // when it comes, is taken as a replugged box's.
    for (int b = 0; b < kBoxCount; ++b) {
        for (ProbePurpose& purpose : m_probesOut[static_cast<std::size_t>(b)]) {
            if (purpose != ProbePurpose::Discovery)
                continue;
            purpose = ProbePurpose::Replug;
            qCWarning(lcPlus).noquote() << boxLabel(b) << "is slow to take its probe";
        }
    }
    finishDiscovery();
}

void ZynePlusCommandHelper::finishDiscovery() {
    m_discoveryDeadline.stop();
    qCDebug(lcPlus) << "checkControllerStr:" << checkControllerStr().text();
    if (!m_discovered) {
        // The first discovery lights every box that answered and shows the selected one.
        m_discovered = true;
        refreshAllPresentBoxes();
        reportShownBoxToViews();
    }
    emit discoveryFinished();
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
