#pragma once

#include "SimBackend.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

namespace zyne {
class ZynePlusCommandHelper;
}

namespace zyne::testing {

// Lets the Plus boxes' workers run until every report given to them is on the wire and every result
// is taken in; false when they are still busy after timeoutMs.
bool settle(ZynePlusCommandHelper& engine, int timeoutMs = 5000);

// Installs a simulated rig as the process-wide HID backend for one test and reads back what the
// engine wrote to it. Each rig starts with an empty settings folder of its own, inside a temporary
// config home the test process never leaves.
class EngineRig {
public:
    explicit EngineRig(const QByteArray& rigJson);
    ~EngineRig();

    sim::SimBackend& sim() { return *m_sim; }
    // Output reports written to a Plus box, report-ID byte first, in order.
    std::vector<QByteArray> reportsTo(int plusBox) const;
    // The same for a classic box.
    std::vector<QByteArray> classicReportsTo(int classicBox) const;
    // Product ids of every open attempt, in order.
    std::vector<int> openedProductIds() const;
    void forget() { m_sim->clearEvents(); }
    // The settings folder the engine reads and writes (empty when the rig is made).
    QString settingsFolder() const;

private:
    std::vector<QByteArray> reportsToProduct(std::uint16_t productId) const;

    sim::SimBackend* m_sim = nullptr;
};

// The 64-byte report r[] of a 65-byte output buffer.
inline unsigned char reportByte(const QByteArray& buffer, int r) {
    return static_cast<unsigned char>(buffer.at(r + 1));
}

} // namespace zyne::testing
