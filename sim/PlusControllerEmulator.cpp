#include "PlusControllerEmulator.h"

#include "SimLogging.h"

namespace zyne::sim {

namespace {
constexpr char kQuery = 0x33;
constexpr char kSet = 0x32;
constexpr char kFirmware = 0x50;
constexpr char kFanSpeed = 0x51;
constexpr char kLighting = 0x52;
constexpr char kSave = 0x53;

} // namespace

PlusControllerEmulator::PlusControllerEmulator(const ControllerSpec& spec)
    : DeviceEmulator(spec.rpm), m_firmware(spec.firmware) {}

// Wire port numbers are 1..5 on a Plus box, 1..3 on a classic one; returns the port index or -1.
int PlusControllerEmulator::portIndex(const QByteArray& report) const {
    const int port = static_cast<unsigned char>(report.at(2)) - 1;
    return port >= 0 && port < fanCount() ? port : -1;
}

QByteArray PlusControllerEmulator::answer(const QByteArray& report) {
    QByteArray reply = echoOf(report);
    const char command = report.at(0);
    const char subject = report.at(1);
    const int port = portIndex(report);

    if (command == kQuery && subject == kFirmware) {
        for (int i = 0; i < 3; ++i)
            reply[2 + i] = static_cast<char>(m_firmware[i]);
    } else if (command == kQuery && subject == kFanSpeed) {
        // 33 51 port 00 00 lo hi; a port the box doesn't have reads as a stopped fan.
        const int rpm = port >= 0 ? fanRpm(port) : 0;
        reply[3] = 0;
        reply[5] = static_cast<char>(rpm & 0xFF);
        reply[6] = static_cast<char>(rpm >> 8);
    } else if (command == kSet && (subject == kLighting || subject == kFanSpeed)) {
        auto& kept = subject == kLighting ? m_record.lighting : m_record.fanSpeed;
        if (port >= 0) {
            kept[port] = report;
            m_record.lightingCount[port] += subject == kLighting ? 1 : 0;
        } else {
            qCWarning(lcSim) << "controller: report for port" << static_cast<unsigned char>(report.at(2))
                             << "ignored";
        }
    } else if (command == kSet && subject == kSave) {
        ++m_record.saves;
    }
    return reply;
}

} // namespace zyne::sim
