#include "ZynePlusCommandHelper.h"

#include "ApplicationSettings.h"
#include "AwtController.h"
#include "PowerSupplyApp.h"
#include "SocketClientHelper.h"

Q_LOGGING_CATEGORY(lcPlus, "zyne.plus")

namespace zyne {

namespace {
// The kernel keeps at most this many unread input reports per open device.
constexpr int kMaxQueuedReports = 64;
} // namespace

ZynePlusCommandHelper::ZynePlusCommandHelper(QObject* parent)
    : QObject(parent), m_awt(new AwtController(boxArray, this)) {
    connectAwtController();
    loadDeviceSettings();
    getZynePlus();
    qCDebug(lcPlus) << "ZynePlusCommandHelper init OK";
    if (ApplicationSettings::get().isSyncPwrix)
        m_powerSupply.detect();
    applySavedProfiles();
    refreshAllPresentBoxes();
    reportShownBoxToViews();
    connectPowerSupplyApp();
}

void ZynePlusCommandHelper::connectPowerSupplyApp() {
    m_powerSupplyApp = new SocketClientHelper(this);
    connect(this, &ZynePlusCommandHelper::operate, m_powerSupplyApp, &SocketClientHelper::testSendCommand);
    connect(m_powerSupplyApp, &SocketClientHelper::sendPowerType, this,
            &ZynePlusCommandHelper::receiveSocketClient);
}

void ZynePlusCommandHelper::receiveSocketClient(int type) {
    qCDebug(lcPlus) << "ZynePlusCommandHelper----receiveSocketClient--powerType:" << type;
    setPowerType(type);
}

void ZynePlusCommandHelper::resetAllBox() {
    qCDebug(lcPlus) << "resetAllBox";
    refreshAllPresentBoxes();
    refreshAllPresentBoxes();
    mirrorSelectedPortToPowerSupply();
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
    if (result.written >= 0)
        result.read = device.read(reply.data(), reply.size(), replyTimeoutMs);
    return result;
}

ExchangeResult ZynePlusCommandHelper::exchange(int boxNum, const PlusReport& report,
                                               Precondition precondition, PlusReply* reply,
                                               BoxReplyWatch::Wait wait) {
    if (!isBoxIndex(boxNum))
        return {};
    ControllerBox& target = boxArray[static_cast<std::size_t>(boxNum)];
    const bool allowed =
        precondition == Precondition::Connected ? target.isConnected : target.isPlusConnected();
    if (!allowed || !target.handle)
        return {};
    PlusReply scratch;
    PlusReply& in = reply ? *reply : scratch;
    const ExchangeResult result =
        exchangeReport(*target.handle, report, in, target.replies.replyTimeout(wait, kReplyTimeoutMs));
    target.replies.note(result, boxLabel(boxNum));
    return result;
}

const ControllerBox& ZynePlusCommandHelper::box(int boxNum) const {
    if (isBoxIndex(boxNum))
        return boxArray[static_cast<std::size_t>(boxNum)];
    static const ControllerBox absent;
    qCWarning(lcPlus) << "no such box" << boxNum;
    return absent;
}

RainbowFanState& ZynePlusCommandHelper::fanRecord(int boxNum, int fanNum) {
    if (isBoxIndex(boxNum) && isPlusPortIndex(fanNum))
        return port(boxNum, fanNum);
    qCWarning(lcPlus) << "no box" << boxNum << "port" << fanNum << ": the change goes nowhere";
    m_strayFan = RainbowFanState();
    return m_strayFan;
}

void ZynePlusCommandHelper::isPwrixConnect(bool connected) {
    qCDebug(lcPlus) << "_connect:" << connected;
}

} // namespace zyne
