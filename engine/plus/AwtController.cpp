#include "AwtController.h"

#include "PresenceString.h"

#include <QLoggingCategory>

#include <algorithm>
#include <bitset>
#include <utility>

Q_DECLARE_LOGGING_CATEGORY(lcPlus)

namespace zyne {

namespace {
QString statusText(int status) {
    return QStringLiteral("0x%1").arg(status, 4, 16, QLatin1Char('0'));
}

constexpr std::uint16_t kAllSlots = (1u << AwtController::kHandleCount) - 1;
static_assert(AwtController::kHandleCount <= 16, "slot bits are kept in 16 bits");

} // namespace

AwtController::AwtController(std::array<ControllerBox, kBoxCount>& boxes, QObject* parent)
    : QObject(parent), m_boxes(boxes), m_link(chipLink()) {
    m_handles.fill(kNoChipHandle);
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &AwtController::runNextCommand);
}

AwtController::~AwtController() {
    // Handles the chip is not busy on are closed here; a busy one goes with the process. Answers
    // that arrived are only counted: nobody is left to act on them.
    for (int n = 0; n < kHandleCount; ++n) {
        const auto at = static_cast<std::size_t>(n);
        if (m_workers[at]) {
            m_workers[at]->collect(m_results);
            m_inFlight[at] -= static_cast<int>(m_results.size());
            for (const AwtJobResult& result : m_results) {
                if (result.job.kind == AwtJob::Kind::Open && result.job.handle != kNoChipHandle)
                    m_link->close(result.job.handle);
            }
            m_results.clear();
        }
        if (m_handles[at] != kNoChipHandle && m_inFlight[at] == 0)
            m_link->close(m_handles[at]);
    }
}

int AwtController::exchangesInFlight() const {
    int total = 0;
    for (int count : m_inFlight)
        total += count;
    return total;
}

void AwtController::queue(const AwtCommand& command) {
    const bool handleCommand = command.type == AwtPresenceCheck || command.type == AwtPassEnd;
    const bool valid =
        command.type >= 0 && command.type < AwtCommandTypeCount && isBoxIndex(command.box) &&
        (!isAwtPortCommand(command.type) || (command.port >= 0 && command.port < kAwtFanCount)) &&
        (!handleCommand || (command.values[0] >= 0 && command.values[0] < kHandleCount));
    if (!valid) {
        qCWarning(lcPlus) << "AWT command refused: type" << command.type << "box" << command.box << "port"
                          << command.port << "value" << command.values[0];
        return;
    }
    if (!m_queue.push(command)) {
        if (!m_refusedLogged)
            qCWarning(lcPlus) << "AWT queue holds" << m_queue.size()
                              << "commands: effect frames are dropped until it drains";
        m_refusedLogged = true;
        return;
    }
    m_refusedLogged = false;
    if (!m_timer.isActive())
        m_timer.start();
}

int AwtController::tableIndexOf(const AwtCommand& command) const {
    if (command.type == AwtPresenceCheck || command.type == AwtPassEnd)
        return command.values[0];
    return m_boxes[static_cast<std::size_t>(command.box)].awtHandle;
}

AwtCommandQueue::Verdict AwtController::judge(const AwtCommand& command) const {
    const int index = tableIndexOf(command);
    const bool busy = index >= 0 && m_inFlight[static_cast<std::size_t>(index)] > 0;
    // The end of a pass waits for the pass's last answer, so the presence is known when it is announced.
    if (command.type == AwtPassEnd)
        return busy ? AwtCommandQueue::Verdict::Wait : AwtCommandQueue::Verdict::Run;
    if (index < 0 || m_handles[static_cast<std::size_t>(index)] == kNoChipHandle)
        return AwtCommandQueue::Verdict::Drop;
    return busy ? AwtCommandQueue::Verdict::Wait : AwtCommandQueue::Verdict::Run;
}

void AwtController::dropped(const AwtCommand& command) {
    if (command.type == AwtPresenceCheck) {
        qCDebug(lcPlus) << "checkAWT_usb::" << command.box << "skipped: handle" << command.values[0]
                        << "is closed";
        return;
    }
    bool& logged = m_dropLogged[static_cast<std::size_t>(command.box)];
    if (!logged)
        qCWarning(lcPlus) << "AWT box" << command.box << "has no chip handle: its commands are dropped";
    logged = true;
}

void AwtController::collectResults() {
    for (int n = 0; n < kHandleCount; ++n) {
        if (m_inFlight[static_cast<std::size_t>(n)] > 0)
            m_workers[static_cast<std::size_t>(n)]->collect(m_results);
    }
    for (const AwtJobResult& result : m_results)
        onFinished(result);
    m_results.clear();
}

void AwtController::runNextCommand() {
    collectResults();
    const std::optional<AwtCommand> next =
        m_queue.takeNext([this](const AwtCommand& command) { return judge(command); },
                         [this](const AwtCommand& command) { dropped(command); });
    if (!next) {
        if (m_queue.empty() && exchangesInFlight() == 0)
            m_timer.stop();
        return;
    }
    qCDebug(lcPlus).nospace() << awtCommandLabel(next->type) << next->box << ", fan:" << next->port
                              << ", type:" << next->type << ", value:" << next->values[0];
    if (next->type == AwtPassEnd) {
        emit passFinished();
        return;
    }
    const int index = tableIndexOf(*next);
    AwtJob job;
    job.tableIndex = index;
    job.handle = m_handles[static_cast<std::size_t>(index)];
    job.frame = frameFor(*next);
    job.timeout = awtTimeout(next->type);
    job.command = *next;
    post(std::move(job));
}

awt::Frame AwtController::frameFor(const AwtCommand& command) {
    const int box = command.box;
    const int port = command.port;
    const bool nine = isAwtNineLedFrame(command.type);
    switch (command.type) {
    case AwtReadSpeeds:
    case AwtPresenceCheck:
        return awt::readSpeeds(box);
    case AwtFanSpeed:
        return awt::setFanSpeed(
            box, port, awt::fanDuty(command.values[0], boxAt(box).rainbowFan[std::size_t(port)].FanType));
    case AwtTurnOff:
        return awt::lighting(box, port, awt::kComputedEffect, {}, false);
    case AwtTurnOn:
        return awt::turnOn(box, port);
    case AwtSave:
        return awt::save(box);
    case AwtOneColour:
        return awt::lighting(box, port, awt::kComputedEffect,
                             awt::oneColour(command.values[0], command.values[1], command.values[2]), false);
    case AwtLighting:
    case AwtLighting9: {
        // A Copy port took port 0's settings when it was refreshed; it shows the mode it took over.
        const RainbowFanState& fan = boxAt(box).rainbowFan[static_cast<std::size_t>(port)];
        const int mode = fan.lightMode == 7 ? fan.copyLightMode : fan.lightMode;
        return awt::lighting(box, port, awt::effectByte(mode, fan.lightSpeed), awt::portLeds(fan, mode),
                             nine);
    }
    default: // the effect frames
        return awt::lighting(box, port, awt::kComputedEffect, command.leds, nine);
    }
}

void AwtController::post(AwtJob job) {
    const auto index = static_cast<std::size_t>(job.tableIndex);
    if (!m_workers[index])
        m_workers[index] = std::make_unique<AwtChipWorker>(m_link);
    ++m_inFlight[index];
    m_workers[index]->post(std::move(job));
    // The answer is taken in by a tick.
    if (!m_timer.isActive())
        m_timer.start();
}

void AwtController::checkConnect(int tableIndex) {
    qCDebug(lcPlus) << "ZynePlusCommandHelper----checkAWTConnect----" << tableIndex;
    if (tableIndex < 0 || tableIndex >= kHandleCount) {
        qCWarning(lcPlus) << "checkAWTConnect ignored: no handle" << tableIndex;
        return;
    }
    const auto at = static_cast<std::size_t>(tableIndex);
    if (m_handles[at] != kNoChipHandle) {
        queuePasses(tableIndex, 1, true);
        return;
    }
    ++m_passesAwaitingOpen[at];
    // The open already out answers this request too; one that has gone stale opens again after it.
    if (m_opens[at] == OpenState::None)
        postOpen(tableIndex);
}

void AwtController::postOpen(int tableIndex) {
    // The library lists every HID device to open one: too slow for the GUI thread.
    AwtJob job;
    job.kind = AwtJob::Kind::Open;
    job.tableIndex = tableIndex;
    job.deviceName = "xq_hid" + std::to_string(tableIndex + 1);
    m_opens[static_cast<std::size_t>(tableIndex)] = OpenState::Out;
    post(std::move(job));
}

void AwtController::finishOpen(const AwtJobResult& result) {
    const int index = result.job.tableIndex;
    const auto at = static_cast<std::size_t>(index);
    const ChipHandle opened = result.job.handle;
    const bool stale = std::exchange(m_opens[at], OpenState::None) == OpenState::Stale;
    if (stale) {
        // The handles were closed while this open was out: what it opened goes too, before the
        // slot is opened again for the requests made since.
        if (opened != kNoChipHandle)
            closeOnWorker(index, opened);
        if (m_passesAwaitingOpen[at] > 0)
            postOpen(index);
        return;
    }
    const int passes = std::exchange(m_passesAwaitingOpen[at], 0);
    if (opened == kNoChipHandle) {
        noteUnopened(index);
    } else {
        m_handles[at] = opened;
        m_unopened = 0;
        m_noChipWarned = false;
        qCInfo(lcPlus) << "AWT chip opened as xq_hid" << index + 1;
    }
    queuePasses(index, passes, opened != kNoChipHandle);
}

void AwtController::queuePasses(int tableIndex, int count, bool opened) {
    AwtCommand command;
    command.values[0] = tableIndex;
    for (int pass = 0; pass < count; ++pass) {
        command.type = AwtPresenceCheck;
        for (int box = 0; opened && box < kBoxCount; ++box) {
            command.box = box;
            queue(command);
        }
        command.box = 0;
        command.type = AwtPassEnd;
        queue(command);
    }
}

void AwtController::noteUnopened(int tableIndex) {
    qCDebug(lcPlus) << "no AWT chip as xq_hid" << tableIndex + 1;
    m_unopened = static_cast<std::uint16_t>(m_unopened | (1u << tableIndex));
    const bool anyOpen = std::any_of(m_handles.begin(), m_handles.end(),
                                     [](ChipHandle handle) { return handle != kNoChipHandle; });
    if (m_unopened != kAllSlots || anyOpen || m_noChipWarned)
        return;
    m_noChipWarned = true;
    qCWarning(lcPlus) << "no AWT controller: no chip answers as xq_hid1 to xq_hid16";
}

void AwtController::requestFirmware(int box) {
    const int index = boxAt(box).awtHandle;
    if (index < 0 || m_handles[static_cast<std::size_t>(index)] == kNoChipHandle) {
        qCWarning(lcPlus) << "AWT box" << box << "has no chip handle: no firmware to read";
        loseBox(box);
        emit firmwareRead(box, QStringLiteral("0"));
        return;
    }
    AwtJob job;
    job.kind = AwtJob::Kind::Firmware;
    job.tableIndex = index;
    job.handle = m_handles[static_cast<std::size_t>(index)];
    job.frame = awt::firmware(box);
    job.command.box = box;
    post(std::move(job));
}

void AwtController::closeAllHandles() {
    for (int n = 0; n < kHandleCount; ++n) {
        const auto at = static_cast<std::size_t>(n);
        if (m_opens[at] != OpenState::None) {
            // The open still out is for the chip that left; its requests end without a pass.
            m_opens[at] = OpenState::Stale;
            queuePasses(n, std::exchange(m_passesAwaitingOpen[at], 0), false);
        }
        closeHandle(n, m_handles[at]);
    }
}

void AwtController::onFinished(const AwtJobResult& result) {
    --m_inFlight[static_cast<std::size_t>(result.job.tableIndex)];
    const AwtCommand& command = result.job.command;
    switch (result.job.kind) {
    case AwtJob::Kind::Close:
        qCDebug(lcPlus) << "XQ_Close handle" << result.job.tableIndex << "res:" << result.status;
        return;
    case AwtJob::Kind::Firmware:
        finishFirmware(result);
        return;
    case AwtJob::Kind::Open:
        finishOpen(result);
        return;
    case AwtJob::Kind::Command:
        break;
    }
    if (command.type == AwtPresenceCheck) {
        finishPresence(result);
        return;
    }
    const awt::StatusAction action = awt::frameStatusAction(result.status);
    if (action != awt::StatusAction::Success) {
        handleFailure(result, action);
        return;
    }
    qCDebug(lcPlus).nospace() << awtCommandLabel(command.type) << command.box << ", fan:" << command.port
                              << " OK";
    if (command.type == AwtReadSpeeds)
        finishSpeeds(result);
}

bool AwtController::handleFailure(const AwtJobResult& result, awt::StatusAction action) {
    const AwtCommand& command = result.job.command;
    qCDebug(lcPlus).nospace() << awtCommandLabel(command.type) << command.box << ", fan:" << command.port
                              << " failed: " << statusText(result.status);
    if (action != awt::StatusAction::CloseHandle)
        return false;
    closeHandle(result.job.tableIndex, result.job.handle);
    return true;
}

void AwtController::finishPresence(const AwtJobResult& result) {
    const int box = result.job.command.box;
    const int index = result.job.tableIndex;
    const awt::StatusAction action = awt::presenceStatusAction(result.status);
    if (action != awt::StatusAction::Success) {
        handleFailure(result, action);
        return;
    }
    setAnswered(box, index, true);
    ControllerBox& target = boxAt(box);
    // A Plus box at the same index keeps it.
    if (checkControllerStr().isPresent(box))
        return;
    const bool known =
        target.awtHandle >= 0 && m_handles[static_cast<std::size_t>(target.awtHandle)] != kNoChipHandle;
    if (known)
        return;
    target.awtHandle = index;
    target.boxType = BoxAwt;
    m_dropLogged[static_cast<std::size_t>(box)] = false;
    qCInfo(lcPlus) << "AWT box" << box << "found on handle" << index;
    emit boxFound(box);
}

void AwtController::finishSpeeds(const AwtJobResult& result) {
    const int box = result.job.command.box;
    const auto speeds = awt::parseSpeeds(result.payload.data(), static_cast<unsigned>(result.payload.size()));
    bool& logged = m_badSpeedsLogged[static_cast<std::size_t>(box)];
    if (!speeds) {
        if (!logged)
            qCWarning(lcPlus) << "AWT box" << box << "speed reply dropped: not three 4-digit fields"
                              << QByteArray(reinterpret_cast<const char*>(result.payload.data()),
                                            static_cast<int>(result.payload.size()))
                                     .toHex(' ')
                              << "(not logged again until a good one)";
        logged = true;
        return;
    }
    logged = false;
    for (int port = 0; port < kAwtFanCount; ++port) {
        if (boxAt(box).rainbowFan[static_cast<std::size_t>(port)].Monitor)
            emit speedRead(box, port, (*speeds)[static_cast<std::size_t>(port)]);
    }
}

void AwtController::finishFirmware(const AwtJobResult& result) {
    const int box = result.job.command.box;
    const awt::StatusAction action = awt::frameStatusAction(result.status);
    if (action != awt::StatusAction::Success) {
        qCWarning(lcPlus) << "AWT box" << box << "firmware query failed:" << statusText(result.status);
        loseBox(box);
        handleFailure(result, action);
        emit firmwareRead(box, QStringLiteral("0"));
        return;
    }
    setAnswered(box, result.job.tableIndex, true);
    if (!checkControllerStr().isPresent(box))
        boxAt(box).boxType = BoxAwt;
    for (std::size_t i = 0; i < 5 && i < result.payload.size(); ++i)
        qCDebug(lcPlus).nospace() << "SAVEBuf[" << i << "]:" << result.payload[i];
    const auto version =
        awt::parseFirmware(result.payload.data(), static_cast<unsigned>(result.payload.size()));
    if (!version)
        qCWarning(lcPlus) << "AWT box" << box << "firmware reply holds no version digits";
    emit firmwareRead(box, version.value_or(QStringLiteral("0")));
}

void AwtController::closeHandle(int tableIndex, ChipHandle handle) {
    ChipHandle& entry = m_handles[static_cast<std::size_t>(tableIndex)];
    // A handle is closed once, however many of its exchanges fail.
    if (handle == kNoChipHandle || entry != handle)
        return;
    qCWarning(lcPlus) << "AWT chip handle" << tableIndex << "closed";
    entry = kNoChipHandle;
    if (m_inFlight[static_cast<std::size_t>(tableIndex)] == 0) {
        // Nothing runs on the handle, so closing cannot wait on the chip; done at once, the slot
        // can be opened again straight away.
        m_link->close(handle);
    } else {
        closeOnWorker(tableIndex, handle);
    }
    for (int box = 0; box < kBoxCount; ++box) {
        if (m_answeredOn[static_cast<std::size_t>(box)] & (1u << tableIndex))
            setAnswered(box, tableIndex, false);
        ControllerBox& target = boxAt(box);
        if (target.awtHandle != tableIndex)
            continue;
        // Another chip that answered for the box takes over; without one the box is gone.
        target.awtHandle = -1;
        for (int other = 0; other < kHandleCount && target.awtHandle < 0; ++other) {
            if (m_answeredOn[static_cast<std::size_t>(box)] & (1u << other))
                target.awtHandle = other;
        }
        if (target.awtHandle < 0)
            loseBox(box);
    }
}

void AwtController::closeOnWorker(int tableIndex, ChipHandle handle) {
    AwtJob job;
    job.kind = AwtJob::Kind::Close;
    job.tableIndex = tableIndex;
    job.handle = handle;
    post(std::move(job));
}

void AwtController::setAnswered(int box, int tableIndex, bool answered) {
    std::uint16_t& bits = m_answeredOn[static_cast<std::size_t>(box)];
    const auto bit = static_cast<std::uint16_t>(1u << tableIndex);
    bits = answered ? (bits | bit) : (bits & ~bit);
    awtPresenceStr().setCount(box, static_cast<int>(std::bitset<16>(bits).count()));
    qCDebug(lcPlus) << "bef====awtBoxCount:" << awtPresenceStr().text();
}

void AwtController::loseBox(int box) {
    ControllerBox& target = boxAt(box);
    const bool wasAwt = target.boxType == BoxAwt || target.awtHandle >= 0;
    m_answeredOn[static_cast<std::size_t>(box)] = 0;
    awtPresenceStr().setCount(box, 0);
    target.awtHandle = -1;
    if (target.boxType == BoxAwt)
        target.boxType = BoxAbsent;
    if (wasAwt) {
        qCWarning(lcPlus) << "AWT box" << box << "is gone";
        emit boxLost(box);
    }
}

} // namespace zyne
