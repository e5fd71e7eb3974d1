#include "PowerSupplyEmulator.h"

namespace zyne::sim {

namespace {
constexpr char kModelQuery[] = {0x31, 0x3D};
constexpr char kLighting[] = {0x30, 0x42};
// The model text follows the two command bytes.
constexpr int kModelOffset = 2;
} // namespace

QByteArray PowerSupplyEmulator::answer(const QByteArray& report) {
    QByteArray reply = echoOf(report);
    if (report.startsWith(QByteArray(kModelQuery, 2))) {
        const QByteArray text = m_model.toLatin1().left(kInputReportSize - kModelOffset - 1);
        reply.fill('\0', kInputReportSize);
        reply.replace(0, 2, QByteArray(kModelQuery, 2));
        reply.replace(kModelOffset, text.size(), text);
    } else if (report.startsWith(QByteArray(kLighting, 2))) {
        ++m_frames;
        m_lastFrame = report;
    }
    return reply;
}

} // namespace zyne::sim
