#include "SimBackend.h"

#include "RigState.h"
#include "SimChipLink.h"
#include "SimLogging.h"

#include <chrono>

Q_LOGGING_CATEGORY(lcSim, "zyne.sim")

namespace zyne::sim {

namespace {

using Clock = std::chrono::steady_clock;

// One open simulated interface. Like a hidraw file it gets its own copy of every input report.
class SimHidDevice : public HidDevice {
public:
    SimHidDevice(std::shared_ptr<RigState> state, SimDevice& device)
        : m_state(std::move(state)), m_device(device), m_idText(device.idText()),
          m_handle(std::make_shared<OpenHandle>()) {
        m_device.handles.push_back(m_handle);
    }

    int write(const unsigned char* data, std::size_t length) override {
        std::lock_guard lock(m_device.mutex);
        const QByteArray buffer = bytesOf(data, length);
        const bool ok = usable() && !buffer.isEmpty();
        m_state->trace.record(m_idText, QStringLiteral("out"), buffer, ok);
        if (!ok)
            return -1;
        if (m_device.behaviour == Behaviour::Ok)
            deliver(m_device.emulator->answer(reportOf(buffer)));
        return static_cast<int>(length);
    }

    int read(unsigned char* data, std::size_t length, int timeoutMs) override {
        if (timeoutMs < 0) {
            // Nothing here may wait for ever, whatever the caller asks.
            qCWarning(lcSim) << "blocking read on" << m_device.label() << "bounded to" << kReplyTimeoutMs
                             << "ms";
            timeoutMs = kReplyTimeoutMs;
        }
        std::unique_lock lock(m_device.mutex);
        if (!usable() || !data)
            return -1;
        // Waits for an answer that is ready; a zero timeout only looks.
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (m_handle->deviceGone)
                return -1;
            const auto now = Clock::now();
            if (!m_handle->inputReports.empty() && m_handle->inputReports.front().readyAt <= now)
                break;
            if (now >= deadline)
                return 0;
            auto wakeAt = deadline;
            if (!m_handle->inputReports.empty())
                wakeAt = std::min(wakeAt, m_handle->inputReports.front().readyAt);
            m_device.inputArrived.wait_until(lock, wakeAt);
        }
        const QByteArray report = m_handle->inputReports.front().bytes;
        m_handle->inputReports.pop_front();
        const int count = std::min(static_cast<int>(length), static_cast<int>(report.size()));
        std::copy_n(report.constData(), count, data);
        m_state->trace.record(m_idText, QStringLiteral("in"), report.left(count), true);
        return count;
    }

    int sendFeatureReport(const unsigned char* data, std::size_t length) override {
        std::lock_guard lock(m_device.mutex);
        const QByteArray buffer = bytesOf(data, length);
        const bool ok = usable() && !buffer.isEmpty();
        m_state->trace.record(m_idText, QStringLiteral("feature_out"), buffer, ok);
        if (!ok)
            return -1;
        m_device.featureReports[static_cast<unsigned char>(buffer.at(0))] = buffer;
        return static_cast<int>(length);
    }

    // Devices without their own feature dialogue hand back the last report set under the asked ID.
    int getFeatureReport(unsigned char* data, std::size_t length) override {
        std::lock_guard lock(m_device.mutex);
        if (!usable() || !data || length == 0)
            return -1;
        const auto found = m_device.featureReports.find(data[0]);
        if (found == m_device.featureReports.end())
            return -1;
        const QByteArray report = found->second.left(static_cast<int>(length));
        std::copy_n(report.constData(), report.size(), data);
        m_state->trace.record(m_idText, QStringLiteral("feature_in"), report, true);
        return static_cast<int>(report.size());
    }

private:
    static QByteArray bytesOf(const unsigned char* data, std::size_t length) {
        return data ? QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(length))
                    : QByteArray();
    }

    // hidraw drops a leading report ID 0 (devices without numbered reports) before the report goes out.
    static QByteArray reportOf(const QByteArray& buffer) {
        const QByteArray report = buffer.at(0) == 0 ? buffer.mid(1) : buffer;
        return report.leftJustified(kInputReportSize, '\0');
    }

    bool usable() const { return !m_handle->deviceGone && m_device.behaviour != Behaviour::ProbeFails; }

    // Every open file of the device gets the report, as long as its queue has room.
    void deliver(const QByteArray& reply) {
        if (reply.isEmpty())
            return;
        const auto readyAt = Clock::now() + std::chrono::milliseconds(m_device.latencyMs);
        for (const auto& weak : m_device.handles) {
            if (auto handle = weak.lock(); handle && handle->inputReports.size() < kMaxQueuedReports)
                handle->inputReports.push_back({reply, readyAt});
        }
        m_device.inputArrived.notify_all();
    }

    std::shared_ptr<RigState> m_state;
    SimDevice& m_device;
    // Made once, not for every report traced.
    const QString m_idText;
    std::shared_ptr<OpenHandle> m_handle;
};

} // namespace

SimBackend::SimBackend(SimRig rig, const QString& traceFile, EventMemory memory)
    : m_state(std::make_shared<RigState>(traceFile, memory)) {
    m_state->addRig(rig);
}

SimBackend::~SimBackend() = default;

std::unique_ptr<HidDevice> SimBackend::open(std::uint16_t vendorId, std::uint16_t productId) {
    std::lock_guard lock(m_state->mutex);
    SimDevice* match = nullptr;
    for (auto& device : m_state->devices) {
        if (device->present && device->ids.vendorId == vendorId && device->ids.productId == productId) {
            match = device.get();
            break;
        }
    }
    m_state->trace.record(deviceIdText(vendorId, productId), QStringLiteral("open"), {}, match != nullptr);
    if (!match)
        return nullptr;
    // Handles that were closed since the last open are forgotten here.
    std::lock_guard deviceLock(match->mutex);
    auto& handles = match->handles;
    handles.erase(std::remove_if(handles.begin(), handles.end(), [](const auto& h) { return h.expired(); }),
                  handles.end());
    return std::make_unique<SimHidDevice>(m_state, *match);
}

std::vector<HidDeviceInfo> SimBackend::enumerate(std::uint16_t vendorId, std::uint16_t productId) {
    std::lock_guard lock(m_state->mutex);
    std::vector<HidDeviceInfo> found;
    for (const auto& device : m_state->devices) {
        if (!device->present || (vendorId && device->ids.vendorId != vendorId) ||
            (productId && device->ids.productId != productId))
            continue;
        found.push_back({QStringLiteral("sim:%1:%2").arg(device->idText()).arg(device->index),
                         device->ids.vendorId, device->ids.productId, 0});
    }
    return found;
}

std::vector<TraceEvent> SimBackend::events() const {
    return m_state->trace.events();
}

void SimBackend::clearEvents() {
    m_state->trace.clear();
}

QString SimBackend::traceError() const {
    return m_state->trace.fileError();
}

std::optional<PlusControllerRecord> SimBackend::plusRecord(int index) const {
    return controllerRecord(DeviceKind::Plus, index);
}

std::optional<PlusControllerRecord> SimBackend::classicRecord(int index) const {
    return controllerRecord(DeviceKind::Classic, index);
}

std::optional<PlusControllerRecord> SimBackend::controllerRecord(DeviceKind kind, int index) const {
    std::lock_guard lock(m_state->mutex);
    SimDevice* device = m_state->find(kind, index);
    if (!device)
        return std::nullopt;
    std::lock_guard deviceLock(device->mutex);
    return static_cast<const PlusControllerEmulator&>(*device->emulator).record();
}

std::optional<AwtBoxRecord> SimBackend::awtRecord(int box) const {
    std::lock_guard lock(m_state->mutex);
    SimDevice* device = m_state->find(DeviceKind::Awt, 0);
    if (!device)
        return std::nullopt;
    std::lock_guard deviceLock(device->mutex);
    const AwtBoxRecord* record = static_cast<const AwtChipEmulator&>(*device->emulator).record(box);
    if (!record)
        return std::nullopt;
    return *record;
}

std::shared_ptr<ChipLink> SimBackend::chipLink() {
    return std::make_shared<SimChipLink>(m_state);
}

void SimBackend::setDeviceChangeListener(std::function<void(const QString&, bool)> listener) {
    std::lock_guard lock(m_state->mutex);
    m_state->deviceChangeListener = std::move(listener);
}

} // namespace zyne::sim
