#include "ZynePlusCommandHelper.h"

Q_LOGGING_CATEGORY(lcPlus, "zyne.plus")

namespace zyne {

namespace {
// The kernel keeps at most this many unread input reports per open device.
constexpr int kMaxQueuedReports = 64;
} // namespace

ZynePlusCommandHelper::ZynePlusCommandHelper(QObject* parent) : QObject(parent) {
    loadDeviceSettings();
    getZynePlus();
    qCDebug(lcPlus) << "ZynePlusCommandHelper init OK";
    applySavedProfiles();
    refreshAllPresentBoxes();
    reportShownBoxToViews();
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

ExchangeResult exchangeReport(HidDevice& device, const PlusReport& report, PlusReply& reply) {
    // A reply that arrived after an earlier read gave up must not be taken for this one's.
    for (int i = 0; i < kMaxQueuedReports && device.read(reply.data(), reply.size(), 0) > 0; ++i) {
    }
    reply.fill(0);
    ExchangeResult result;
    result.written = device.write(report.data(), report.size());
    result.read = device.read(reply.data(), reply.size(), kReplyTimeoutMs);
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
    ExchangeResult result = exchangeReport(*target.handle, report, in);
    if (result.written < 0) {
        qCWarning(lcPlus) << boxLabel(boxNum) << "write failed: the device did not take the report";
        result.read = -1;
    } else if (result.read < 0)
        qCWarning(lcPlus) << boxLabel(boxNum) << "read failed: the device is gone";
    return result;
}

void ZynePlusCommandHelper::isPwrixConnect(bool connected) {
    qCDebug(lcPlus) << "_connect:" << connected;
}

} // namespace zyne
