#include "DeviceEmulator.h"

namespace zyne::sim {

QByteArray DeviceEmulator::echoOf(const QByteArray& report) {
    constexpr int kCommandBytes = 4;
    QByteArray reply(kInputReportSize, '\0');
    reply.replace(0, kCommandBytes, report.left(kCommandBytes));
    return reply.left(kInputReportSize);
}

} // namespace zyne::sim
