#include "AwtChipEmulator.h"

#include <algorithm>

namespace zyne::sim {

namespace {
constexpr int kHeaderLength = 5;
constexpr int kFirstBoxByte = 9;
constexpr char kReadSpeeds = 0x5A;
constexpr char kSetSpeed = 0x5B;
constexpr char kSave = 0x5C;
constexpr char kFirmware = 0x5D;
constexpr char kTurnOn = 0x5E;
constexpr int kLightingLength = 54; // 12 LEDs
constexpr int kNineLedLength = 42;
constexpr int kMaxShownRpm = 9999; // four digits on the wire
constexpr int kOk = 0x0001;

QByteArray withStatus(QByteArray payload, int status) {
    payload.append(static_cast<char>(status >> 8));
    payload.append(static_cast<char>(status & 0xFF));
    return payload;
}

unsigned char byteAt(const QByteArray& frame, int i) {
    return static_cast<unsigned char>(frame.at(i));
}

// Ports named by a mask of bits 0x01, 0x02, 0x04; empty when the mask names none or others.
std::vector<int> maskPorts(int mask) {
    std::vector<int> ports;
    if (mask == 0 || (mask & ~0x07) != 0)
        return ports;
    for (int port = 0; port < SimRig::kAwtFanPorts; ++port) {
        if (mask & (1 << port))
            ports.push_back(port);
    }
    return ports;
}
} // namespace

AwtChipEmulator::AwtChipEmulator(const AwtSpec& spec) : m_firmware(spec.firmware) {
    for (int index : spec.boxes) {
        Box& box = m_boxes[index];
        std::copy_n(spec.rpm.begin(), std::min<std::size_t>(spec.rpm.size(), box.rpm.size()),
                    box.rpm.begin());
    }
}

bool AwtChipEmulator::setBoxFanRpm(int box, int port, int rpm) {
    const auto found = m_boxes.find(box);
    if (found == m_boxes.end() || port < 0 || port >= SimRig::kAwtFanPorts)
        return false;
    found->second.rpm[static_cast<std::size_t>(port)] = rpm;
    return true;
}

const AwtBoxRecord* AwtChipEmulator::record(int box) const {
    const auto found = m_boxes.find(box);
    return found == m_boxes.end() ? nullptr : &found->second.record;
}

QByteArray AwtChipEmulator::exchange(const QByteArray& frame) {
    if (frame.size() < kHeaderLength || byteAt(frame, 0) != 0x26 || byteAt(frame, 1) != 0x4A ||
        byteAt(frame, 2) != 0x20)
        return withStatus({}, kBadFrame);
    const auto box = m_boxes.find(byteAt(frame, 3) - kFirstBoxByte);
    if (box == m_boxes.end())
        return withStatus({}, kNoSuchBox);
    return handle(box->second, frame);
}

QByteArray AwtChipEmulator::handle(Box& box, const QByteArray& frame) const {
    const char command = frame.at(4);
    const int length = frame.size();
    AwtBoxRecord& record = box.record;
    if (command == kReadSpeeds && length == kHeaderLength) {
        QByteArray digits;
        for (int rpm : box.rpm)
            digits += QByteArray::number(std::min(rpm, kMaxShownRpm)).rightJustified(4, '0');
        return withStatus(digits, kOk);
    }
    if (command == kFirmware && length == kHeaderLength)
        return withStatus(QByteArray(1, kFirmware) + m_firmware.toLatin1(), kOk);
    if (command == kSave && length == kHeaderLength) {
        ++record.saves;
        return withStatus({}, kOk);
    }
    if (command == kSetSpeed && length == kHeaderLength + 2 && byteAt(frame, 6) <= 100) {
        const auto ports = maskPorts(byteAt(frame, 5));
        for (int port : ports)
            record.duty[static_cast<std::size_t>(port)] = byteAt(frame, 6);
        return withStatus({}, ports.empty() ? kBadFrame : kOk);
    }
    if (command == kTurnOn && length == kHeaderLength + 1) {
        const auto ports = maskPorts(byteAt(frame, 5));
        for (int port : ports)
            record.turnedOn[static_cast<std::size_t>(port)] = true;
        return withStatus({}, ports.empty() ? kBadFrame : kOk);
    }
    const int kind = byteAt(frame, 4) & 0xF0;
    if ((kind == 0x20 && length == kLightingLength) || (kind == 0x10 && length == kNineLedLength)) {
        const auto ports = maskPorts(byteAt(frame, 4) & 0x0F);
        for (int port : ports)
            record.lighting[static_cast<std::size_t>(port)] = frame;
        return withStatus({}, ports.empty() ? kBadFrame : kOk);
    }
    return withStatus({}, kBadFrame);
}

} // namespace zyne::sim
