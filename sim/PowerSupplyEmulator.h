#pragma once

#include "DeviceEmulator.h"

#include <QString>

namespace zyne::sim {

// The maker's power supply (264a:2329): answers the model query with its model text and keeps
// the lighting frames of its fan ring.
class PowerSupplyEmulator : public DeviceEmulator {
public:
    explicit PowerSupplyEmulator(QString model) : m_model(std::move(model)) {}

    QByteArray answer(const QByteArray& report) override;

    // Lighting frames (30 42 ...) taken since the device was made, and the last one.
    int frameCount() const { return m_frames; }
    const QByteArray& lastFrame() const { return m_lastFrame; }

private:
    QString m_model;
    int m_frames = 0;
    QByteArray m_lastFrame;
};

} // namespace zyne::sim
