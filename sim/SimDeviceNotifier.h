#pragma once

#include "DeviceNotifier.h"

namespace zyne::sim {

class SimBackend;

// Arrival and removal notices of the simulated rig: each plug and unplug command raises one,
// delivered through the event loop as the system's notices are.
class SimDeviceNotifier : public DeviceNotifier {
    Q_OBJECT
public:
    explicit SimDeviceNotifier(SimBackend& backend, QObject* parent = nullptr);
    ~SimDeviceNotifier() override;

    bool start() override;

private:
    SimBackend& m_backend;
};

} // namespace zyne::sim
