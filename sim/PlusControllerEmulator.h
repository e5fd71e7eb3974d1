#pragma once

#include "DeviceEmulator.h"
#include "SimRig.h"

#include <array>

namespace zyne::sim {

// What a controller was last told, per fan port (port index 0..4, 0..2 on a classic box); reports
// without report-ID byte.
struct PlusControllerRecord {
    std::array<QByteArray, SimRig::kPlusFanPorts> lighting;
    std::array<QByteArray, SimRig::kPlusFanPorts> fanSpeed;
    std::array<int, SimRig::kPlusFanPorts> lightingCount{}; // lighting reports taken per port
    int saves = 0;
};

// A Plus controller box: answers the probe, the firmware query and the speed read, and keeps
// the last lighting and fan-speed report of each port as the controller itself does. Classic
// controllers speak the same dialogue on their three ports (their spec has three RPM entries).
class PlusControllerEmulator : public DeviceEmulator {
public:
    explicit PlusControllerEmulator(const ControllerSpec& spec);

    QByteArray answer(const QByteArray& report) override;
    const PlusControllerRecord& record() const { return m_record; }

private:
    int portIndex(const QByteArray& report) const;

    std::array<std::uint8_t, 3> m_firmware;
    PlusControllerRecord m_record;
};

} // namespace zyne::sim
