#pragma once

#include <QByteArray>

#include <vector>

namespace zyne::sim {

// Every input report of the simulated devices is this long, as on the real ones.
constexpr int kInputReportSize = 64;

// The firmware of one simulated device: turns each output report into the input report it sends back.
// Called with the rig's lock held, so implementations need no locking of their own.
class DeviceEmulator {
public:
    explicit DeviceEmulator(std::vector<int> fanRpm = {}) : m_fanRpm(std::move(fanRpm)) {}
    virtual ~DeviceEmulator() = default;

    // `report` is the output report without its report-ID byte, zero-padded to the report size.
    // Returns the input report to queue, or an empty array when the device doesn't answer.
    virtual QByteArray answer(const QByteArray& report) = 0;

    int fanCount() const { return static_cast<int>(m_fanRpm.size()); }
    int fanRpm(int port) const { return m_fanRpm.at(port); }
    void setFanRpm(int port, int rpm) { m_fanRpm.at(port) = rpm; }

protected:
    // An input report that repeats the command bytes (the first four) of the request.
    static QByteArray echoOf(const QByteArray& report);

private:
    std::vector<int> m_fanRpm;
};

// Devices whose own dialogue is not emulated yet: they acknowledge every report with an echo.
class EchoEmulator : public DeviceEmulator {
public:
    using DeviceEmulator::DeviceEmulator;
    QByteArray answer(const QByteArray& report) override { return echoOf(report); }
};

} // namespace zyne::sim
