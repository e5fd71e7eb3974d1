#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace zyne::sim {

// How a simulated controller reacts to reports.
enum class Behaviour {
    Ok,         // answers every report
    ProbeFails, // the interface opens but every transfer fails
    Silent,     // takes every report and never answers
};

std::optional<Behaviour> behaviourFromName(const QString& name);
QString behaviourName(Behaviour behaviour);

// A Plus or classic controller box at one index (0..15).
struct ControllerSpec {
    int index = 0;
    std::array<std::uint8_t, 3> firmware{};
    std::vector<int> rpm; // one entry per fan port
    Behaviour behaviour = Behaviour::Ok;
    int latencyMs = 0; // how long each answer takes, as on a busy bus
};

struct PowerSupplySpec {
    QString model;
    int latencyMs = 0;
};

// The AWT controller: one chip answering for the listed box indices.
struct AwtSpec {
    std::vector<int> boxes{0};
    QString firmware = QStringLiteral("104");
    std::vector<int> rpm{1200, 1200, 1200};
    // probe_fails: every frame fails to go out; silent: the chip stays busy and never answers.
    Behaviour behaviour = Behaviour::Ok;
    int latencyMs = 0;
};

struct UsbIds {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

// What is plugged into the simulated machine, read from a rig file.
class SimRig {
public:
    static constexpr int kBoxCount = 16;
    static constexpr int kPlusFanPorts = 5;
    static constexpr int kClassicFanPorts = 3;
    static constexpr int kAwtFanPorts = 3;
    static constexpr int kMaxRpm = 0xFFFF; // the speed travels as 16 bits
    // A device slower than this would only make every read give up.
    static constexpr int kMaxLatencyMs = 1000;

    // A controller as a fresh box of that kind comes: used for boxes plugged in without a rig entry.
    static ControllerSpec defaultPlus(int index);
    static ControllerSpec defaultClassic(int index);

    // One Plus box at index 0 with five fans at 1200 RPM.
    static SimRig defaultRig();
    // Every key is optional; an empty object is a machine with nothing plugged in.
    static std::optional<SimRig> fromJson(const QByteArray& json, QString* error);
    // As fromJson; the error names the file.
    static std::optional<SimRig> fromFile(const QString& path, QString* error);

    std::vector<ControllerSpec> plus;
    std::vector<ControllerSpec> classic;
    std::optional<PowerSupplySpec> powerSupply;
    std::optional<AwtSpec> awt;
    std::vector<UsbIds> keyboards;
};

} // namespace zyne::sim
