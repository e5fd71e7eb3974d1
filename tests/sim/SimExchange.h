#pragma once

#include "HidBackend.h"

#include <QByteArray>

namespace zyne::testing {

// A 65-byte output buffer: report ID 0, then the given report bytes, zero-filled.
inline QByteArray outputReport(const QByteArray& reportBytes) {
    QByteArray buffer(65, '\0');
    buffer.replace(1, reportBytes.size(), reportBytes);
    return buffer;
}

inline int writeReport(HidDevice& device, const QByteArray& reportBytes) {
    const QByteArray buffer = outputReport(reportBytes);
    return device.write(reinterpret_cast<const unsigned char*>(buffer.constData()), buffer.size());
}

// The bytes the next read returns (empty on timeout); *result gets the read's return value.
inline QByteArray readReport(HidDevice& device, int timeoutMs = kReplyTimeoutMs, int* result = nullptr) {
    unsigned char reply[64] = {};
    const int count = device.read(reply, sizeof reply, timeoutMs);
    if (result)
        *result = count;
    return QByteArray(reinterpret_cast<const char*>(reply), count > 0 ? count : 0);
}

// One write followed by one read, as the engines talk to the boxes.
inline QByteArray exchange(HidDevice& device, const QByteArray& reportBytes) {
    writeReport(device, reportBytes);
    return readReport(device);
}

} // namespace zyne::testing
