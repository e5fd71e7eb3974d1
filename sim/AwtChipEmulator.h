#pragma once

#include "DeviceEmulator.h"
#include "SimRig.h"

#include <array>
#include <map>

namespace zyne::sim {

// What the AWT controller was last told for one box (port index 0..2); frames as sent.
struct AwtBoxRecord {
    std::array<QByteArray, SimRig::kAwtFanPorts> lighting;
    std::array<int, SimRig::kAwtFanPorts> duty{-1, -1, -1}; // -1: never set
    std::array<bool, SimRig::kAwtFanPorts> turnedOn{};
    int saves = 0;
};

// The AWT controller behind its USB chip, at the level of command frames: each frame
// (26 4A 20, 9 + box, command, payload) gets a reply payload that ends with the status word.
// Boxes the chip doesn't drive answer 0xF0FF, frames it doesn't understand 0xF0FE.
class AwtChipEmulator : public DeviceEmulator {
public:
    static constexpr int kNoSuchBox = 0xF0FF;
    static constexpr int kBadFrame = 0xF0FE;

    explicit AwtChipEmulator(const AwtSpec& spec);

    // The chip speaks through the chip library only, never in plain HID reports.
    QByteArray answer(const QByteArray&) override { return {}; }
    QByteArray exchange(const QByteArray& frame);

    // False when the chip drives no such box or port.
    bool setBoxFanRpm(int box, int port, int rpm);
    const AwtBoxRecord* record(int box) const;

private:
    struct Box {
        std::array<int, SimRig::kAwtFanPorts> rpm{};
        AwtBoxRecord record;
    };
    QByteArray handle(Box& box, const QByteArray& frame) const;

    QString m_firmware;
    std::map<int, Box> m_boxes;
};

} // namespace zyne::sim
