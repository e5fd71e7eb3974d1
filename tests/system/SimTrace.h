#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <cstdint>

// One line of the simulator's trace file (JSON Lines).
struct SimTraceEvent {
    qint64 tMs = 0;
    QString dev;      // "264a:1fa5"
    QString dir;      // "open", "out", "in", "feature_out", "feature_in"
    bool ok = false;  // open lines only
    QByteArray bytes; // report lines only: the hex decoded
    int wait = -1;    // chip frames (feature_out) only: the wait they were sent with
};

// Device name as the trace writes it: lower-case hex "vvvv:pppp".
QString simDeviceName(std::uint16_t vendorId, std::uint16_t productId);

// Parses every complete line (a line still being written at the end is left for the next read).
// A malformed line stops the parse and is described in *error.
QVector<SimTraceEvent> parseSimTrace(const QByteArray& text, QString* error);
