#include "ZynePlusCommandHelper.h"

#include "AwtController.h"
#include "PowerSupplyApp.h"
#include "SocketClientHelper.h"

Q_LOGGING_CATEGORY(lcPlus, "zyne.plus")

namespace zyne {

namespace {
// The kernel keeps at most this many unread input reports per open device.
constexpr int kMaxQueuedReports = 64;
// How often the boxes' results are taken in while exchanges are out: once per effect tick, so an
// animation wakes the GUI thread no more often than its own timer does.
constexpr int kBoxResultTickMs = 50;
} // namespace

ZynePlusCommandHelper::ZynePlusCommandHelper(QObject* parent)
    : QObject(parent), m_awt(new AwtController(boxArray, this)) {
    m_boxResultTick.setInterval(kBoxResultTickMs);
    connect(&m_boxResultTick, &QTimer::timeout, this, &ZynePlusCommandHelper::takeBoxResults);
    m_discoveryDeadline.setSingleShot(true);
    connect(&m_discoveryDeadline, &QTimer::timeout, this, &ZynePlusCommandHelper::discoveryOverdue);
    m_powerSupply.setPostedListener([this] { tickUntilResultsAreIn(); });
    connectAwtController();
    loadDeviceSettings();
    getZynePlus();
    qCDebug(lcPlus) << "ZynePlusCommandHelper init OK";
    startPowerSupplySync();
    applySavedProfiles();
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

void ZynePlusCommandHelper::exchange(int boxNum, BoxJob job, Precondition precondition) {
    if (!isBoxIndex(boxNum))
        return;
    ControllerBox& target = boxArray[static_cast<std::size_t>(boxNum)];
    const bool allowed =
        precondition == Precondition::Connected ? target.isConnected : target.isPlusConnected();
    if (!allowed || !target.worker)
        return;
    if (m_holdingPosts)
        m_heldPosts[static_cast<std::size_t>(boxNum)].push_back(std::move(job));
    else
        target.worker->post(std::move(job));
    tickUntilResultsAreIn();
}

void ZynePlusCommandHelper::tickUntilResultsAreIn() {
    if (!m_boxResultTick.isActive())
        m_boxResultTick.start();
}

void ZynePlusCommandHelper::exchange(int boxNum, BoxJob::Kind kind, int port, const PlusReport& report,
                                     Precondition precondition) {
    BoxJob job;
    job.kind = kind;
    job.port = port;
    job.report = report;
    exchange(boxNum, std::move(job), precondition);
}

void ZynePlusCommandHelper::takeBoxResults() {
    m_powerSupply.takeResults();
    std::vector<BoxJobResult> results;
    for (int b = 0; b < kBoxCount; ++b) {
        ControllerBox& target = boxArray[static_cast<std::size_t>(b)];
        if (!target.worker)
            continue;
        results.clear();
        target.worker->collect(results);
        for (const BoxJobResult& result : results)
            takeBoxResult(b, result);
    }
    // Counted after the pass: a result may have given any box more to do (a discovery's last answer
    // lights every box).
    if (boxExchangesOutstanding() == 0)
        m_boxResultTick.stop();
}

void ZynePlusCommandHelper::takeBoxResult(int boxNum, const BoxJobResult& result) {
    boxArray[static_cast<std::size_t>(boxNum)].replies = result.replies;
    const int read = result.exchange.read;
    switch (result.job.kind) {
    case BoxJob::Kind::Probe:
        takeProbeAnswer(boxNum, result);
        break;
    case BoxJob::Kind::SpeedRead:
        if (const auto reading = parseSpeedReply(result.reply, read))
            reportPolledSpeed(boxNum, reading->port, reading->rpm);
        break;
    case BoxJob::Kind::Firmware:
        if (read >= 5) {
            emit sendPlusFirmware(parseFirmwareReply(result.reply));
        } else {
            qCWarning(lcPlus).noquote() << boxLabel(boxNum) << "gave no firmware reply";
            emit sendPlusFirmware(QStringLiteral("0"));
        }
        break;
    case BoxJob::Kind::Save:
        qCDebug(lcPlus) << "sendCommand_Save----res---1:" << result.exchange.written;
        qCDebug(lcPlus) << "sendCommand_Save----res---2:" << read;
        break;
    case BoxJob::Kind::Radar: {
        QStringList replyBytes;
        if (read > 0) {
            for (std::size_t i = 4; i <= 10; ++i)
                replyBytes << QString::number(result.reply[i]);
        }
        qCDebug(lcPlus).noquote() << "sendCommand_Radar--res:" << read
                                  << replyBytes.join(QStringLiteral(", "));
        break;
    }
    default:
        break;
    }
}

std::size_t ZynePlusCommandHelper::boxExchangesOutstanding() const {
    std::size_t outstanding = m_powerSupply.outstanding();
    for (const ControllerBox& target : boxArray)
        outstanding += target.worker ? target.worker->outstanding() : 0;
    return outstanding;
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
