#include "ZynePlusCommandHelper.h"

Q_LOGGING_CATEGORY(lcPlus, "zyne.plus")

namespace zyne {

namespace {
// The kernel keeps at most this many unread input reports per open device.
constexpr int kMaxQueuedReports = 64;
// After this many reports in a row without a reply, the box's replies are no longer waited for.
constexpr int kMuteAfterUnanswered = 3;
} // namespace

ZynePlusCommandHelper::ZynePlusCommandHelper(QObject* parent) : QObject(parent) {
    loadDeviceSettings();
    getZynePlus();
    qCDebug(lcPlus) << "ZynePlusCommandHelper init OK";
    applySavedProfiles();
    refreshAllPresentBoxes();
    reportShownBoxToViews();
}

void ZynePlusCommandHelper::resetAllBox() {
    qCDebug(lcPlus) << "resetAllBox";
    refreshAllPresentBoxes();
    refreshAllPresentBoxes();
}

void ZynePlusCommandHelper::refreshAllPresentBoxes() {
    for (int b = 0; b < kBoxCount; ++b) {
        if (!box(b).isConnected && box(b).boxType != BoxAwt)
            continue;
        for (int p = 0; p < kPlusPortCount; ++p) {
            refreshFanLed(b, p);
            sendCommand_FanSpeed(b, p);
        }
    }
}

ZynePlusCommandHelper::~ZynePlusCommandHelper() = default;

ExchangeResult exchangeReport(HidDevice& device, const PlusReport& report, PlusReply& reply,
                              int replyTimeoutMs) {
    ExchangeResult result;
    // A reply that arrived after an earlier read gave up must not be taken for this one's.
    while (result.drained < kMaxQueuedReports && device.read(reply.data(), reply.size(), 0) > 0)
        ++result.drained;
    reply.fill(0);
    result.written = device.write(report.data(), report.size());
    result.read = device.read(reply.data(), reply.size(), replyTimeoutMs);
    return result;
}

ExchangeResult ZynePlusCommandHelper::exchange(int boxNum, const PlusReport& report,
                                               Precondition precondition, PlusReply* reply) {
    if (!isBoxIndex(boxNum))
        return {};
    ControllerBox& target = boxArray[static_cast<std::size_t>(boxNum)];
    const bool allowed =
        precondition == Precondition::Connected ? target.isConnected : target.isPlusConnected();
    if (!allowed || !target.handle)
        return {};
    PlusReply scratch;
    PlusReply& in = reply ? *reply : scratch;
    const bool mute = target.unansweredReports >= kMuteAfterUnanswered;
    ExchangeResult result = exchangeReport(*target.handle, report, in, mute ? 0 : kReplyTimeoutMs);

    if (result.written < 0) {
        if (!target.writesFailing)
            qCWarning(lcPlus).noquote()
                << boxLabel(boxNum) << "write failed: the device did not take the report"
                << "(not logged again until it takes one)";
        target.writesFailing = true;
        result.read = -1;
        return result;
    }
    if (target.writesFailing)
        qCInfo(lcPlus).noquote() << boxLabel(boxNum) << "takes reports again";
    target.writesFailing = false;

    if (result.read < 0) {
        qCWarning(lcPlus).noquote() << boxLabel(boxNum) << "read failed: the device is gone";
    } else if (result.read > 0 || result.drained > 0) {
        if (mute)
            qCInfo(lcPlus).noquote() << boxLabel(boxNum) << "answers again";
        target.unansweredReports = 0;
    } else if (++target.unansweredReports == kMuteAfterUnanswered) {
        qCWarning(lcPlus).noquote() << boxLabel(boxNum)
                                    << "does not answer: its replies are no longer waited for";
    }
    return result;
}

void ZynePlusCommandHelper::isPwrixConnect(bool connected) {
    qCDebug(lcPlus) << "_connect:" << connected;
}

} // namespace zyne
