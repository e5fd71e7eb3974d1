#include "SimChipLink.h"

#include "AwtChipEmulator.h"
#include "HidBackend.h"
#include "RigState.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace zyne::sim {

namespace {
constexpr auto kBusyDeadline = std::chrono::seconds(900);

// The number after "xq_hid" (any case), or 0 when the name is not a chip HID name.
int hidNumber(const std::string& name) {
    const QString text = QString::fromStdString(name);
    if (!text.startsWith(QLatin1String("xq_hid"), Qt::CaseInsensitive))
        return 0;
    bool ok = false;
    const int number = text.mid(6).toInt(&ok);
    return ok && number > 0 ? number : 0;
}

SimDevice* presentChip(RigState& state) {
    SimDevice* chip = state.find(DeviceKind::Awt, 0);
    return chip && chip->present ? chip : nullptr;
}
} // namespace

SimChipLink::SimChipLink(std::shared_ptr<RigState> state) : m_state(std::move(state)) {}

ChipHandle SimChipLink::open(const std::string& deviceName) {
    std::lock_guard lock(m_state->mutex);
    // The simulated machine has at most one chip: "xq_hid1".
    SimDevice* chip = hidNumber(deviceName) == 1 ? presentChip(*m_state) : nullptr;
    const bool inUse = chip && std::any_of(m_open.begin(), m_open.end(),
                                           [](const auto& open) { return !open.second->deviceGone; });
    const bool ok = chip && !inUse;
    m_state->trace.record(deviceIdText(0xC216, 0x0102), QStringLiteral("open"), {}, ok);
    if (!ok)
        return kNoChipHandle;
    auto handle = std::make_shared<OpenHandle>();
    std::lock_guard deviceLock(chip->mutex);
    chip->handles.push_back(handle);
    const ChipHandle id = m_nextHandle++;
    m_open[id] = handle;
    return id;
}

int SimChipLink::close(ChipHandle handle) {
    std::lock_guard lock(m_state->mutex);
    return m_open.erase(handle) == 1 ? 0 : -1;
}

int SimChipLink::comm(ChipHandle handle, const unsigned char* frame, int length, unsigned int* replyLength,
                      unsigned char* reply, int timeout) {
    if (replyLength)
        *replyLength = 0;
    std::unique_lock lock(m_state->mutex);
    const auto open = m_open.find(handle);
    if (open == m_open.end() || !frame || length < 0 || !replyLength || !reply)
        return chipstatus::kBadHandle;
    const std::shared_ptr<OpenHandle> opened = open->second;
    SimDevice* chip = m_state->find(DeviceKind::Awt, 0);
    const QByteArray sent(reinterpret_cast<const char*>(frame), length);
    const QString dev = deviceIdText(0xC216, 0x0102);
    if (!chip || opened->deviceGone || chip->behaviour == Behaviour::ProbeFails) {
        m_state->trace.record(dev, QStringLiteral("feature_out"), sent, false, timeout);
        return chipstatus::kSendFailed;
    }
    m_state->trace.record(dev, QStringLiteral("feature_out"), sent, true, timeout);
    const bool answered = m_state->inputArrived.wait_for(
        lock, kBusyDeadline, [&] { return opened->deviceGone || chip->behaviour != Behaviour::Silent; });
    if (!answered)
        return chipstatus::kTimedOut;
    if (opened->deviceGone)
        return chipstatus::kReadFailed;
    if (chip->behaviour == Behaviour::ProbeFails)
        return chipstatus::kReadFailed;

    std::lock_guard deviceLock(chip->mutex);
    const QByteArray answer = static_cast<AwtChipEmulator&>(*chip->emulator).exchange(sent);
    m_state->trace.record(dev, QStringLiteral("feature_in"), answer, true);
    if (answer.size() > kChipReplyCapacity)
        return chipstatus::kReplyTooLong;
    if (answer.size() < 2)
        return chipstatus::kShortReply;
    std::memcpy(reply, answer.constData(), static_cast<std::size_t>(answer.size()));
    *replyLength = static_cast<unsigned int>(answer.size() - 2);
    return static_cast<unsigned char>(answer.at(answer.size() - 2)) << 8 |
           static_cast<unsigned char>(answer.at(answer.size() - 1));
}

} // namespace zyne::sim
