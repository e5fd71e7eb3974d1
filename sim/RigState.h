#pragma once

#include "DeviceEmulator.h"
#include "SimRig.h"
#include "SimTrace.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

// The simulated machine's devices and open handles, shared by the backend and every handle it gave
// out, so a handle stays safe to use after the backend is gone.
//
// Locks, always taken in this order: the rig's `mutex` guards the device list and what control
// commands change; each device's own `mutex` guards its handles, queued answers and emulator, so
// devices answer side by side as separate USB devices do; the trace locks itself. A field that
// control commands change is written under both the rig's and the device's lock and may be read
// under either.

namespace zyne::sim {

// The first four are named "plus", "classic", "psu", "awt" in control commands, in this order.
enum class DeviceKind { Plus, Classic, PowerSupply, Awt, Keyboard };

QString deviceKindName(DeviceKind kind);
// "plus 3" for numbered boxes, "psu" for the one-of-a-kind devices.
QString deviceLabel(DeviceKind kind, int index);

// Reports the kernel keeps for one open hidraw file before it drops new ones.
constexpr std::size_t kMaxQueuedReports = 64;

// An answer and the moment the device has it ready (its reply latency after the request).
struct QueuedReport {
    QByteArray bytes;
    std::chrono::steady_clock::time_point readyAt;
};

struct OpenHandle {
    std::deque<QueuedReport> inputReports;
    bool deviceGone = false;
};

struct SimDevice {
    DeviceKind kind = DeviceKind::Plus;
    int index = 0;
    UsbIds ids;
    bool present = true;
    Behaviour behaviour = Behaviour::Ok;
    int latencyMs = 0; // each answer is ready this long after its request
    std::unique_ptr<DeviceEmulator> emulator;
    std::vector<std::weak_ptr<OpenHandle>> handles;
    std::map<unsigned char, QByteArray> featureReports; // last one set, by report ID
    std::mutex mutex;
    // Readers of this device wait here, under its own lock, so no other device waits for them.
    std::condition_variable inputArrived;

    QString idText() const; // "264a:1fa5"
    QString windowsStylePath() const;
    QString label() const { return deviceLabel(kind, index); }
};

struct RigState {
    RigState(const QString& traceFile, EventMemory memory) : trace(traceFile, memory) {}

    void addRig(const SimRig& rig);
    SimDevice* find(DeviceKind kind, int index);
    // A device of this kind and index as it comes from the factory; null for keyboards.
    SimDevice* addFresh(DeviceKind kind, int index);

    std::mutex mutex;
    // The chip link waits here for a chip held busy.
    std::condition_variable inputArrived;
    std::vector<std::unique_ptr<SimDevice>> devices;
    SimTrace trace;
    std::function<void(const QString&, bool)> deviceChangeListener;
};

} // namespace zyne::sim
