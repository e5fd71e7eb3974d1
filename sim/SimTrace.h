#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <vector>

namespace zyne::sim {

// One open or report exchange as a device saw it.
struct TraceEvent {
    qint64 tMs = 0;   // since the backend was created
    QString dev;      // "264a:1fa5"
    QString dir;      // open | out | in | feature_out | feature_in
    QByteArray bytes; // the whole buffer, report-ID byte first; empty for open
    bool ok = true;
};

// Keeps every event in memory and, when a file is given, appends it there as one JSON line.
// Not locked: the owner serialises calls.
class SimTrace {
public:
    explicit SimTrace(const QString& path);

    // Empty when the file is open or none was asked for.
    QString fileError() const { return m_fileError; }

    void record(const QString& dev, const QString& dir, const QByteArray& bytes, bool ok);
    std::vector<TraceEvent> events() const { return m_events; }
    void clear() { m_events.clear(); }

    static QByteArray jsonLine(const TraceEvent& event);

private:
    QElapsedTimer m_clock;
    QFile m_file;
    QString m_fileError;
    std::vector<TraceEvent> m_events;
};

} // namespace zyne::sim
