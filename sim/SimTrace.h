#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <deque>
#include <mutex>
#include <vector>

namespace zyne::sim {

// One open or report exchange as a device saw it.
struct TraceEvent {
    qint64 tMs = 0;   // since the backend was created
    QString dev;      // "264a:1fa5"
    QString dir;      // open | out | in | feature_out | feature_in
    QByteArray bytes; // the whole buffer, report-ID byte first; empty for open
    bool ok = true;
    int wait = kNoWait; // the time-out a chip frame was sent with (XQ_Comm's last argument)
    static constexpr int kNoWait = -1;
};

// Whether the events stay in memory for whoever reads them back (tests); the running program
// has nobody to read them and keeps none.
enum class EventMemory { Keep, None };

// Keeps the latest events in memory when asked to and, when a file is given, appends every event
// there as one JSON line. Devices record side by side, so every call takes the trace's own lock.
class SimTrace {
public:
    explicit SimTrace(const QString& path, EventMemory memory = EventMemory::Keep);

    // Empty when the file is open or none was asked for.
    QString fileError() const { return m_fileError; }

    void record(const QString& dev, const QString& dir, const QByteArray& bytes, bool ok,
                int wait = TraceEvent::kNoWait);
    // A running program polls for ever: memory holds only this many of the latest events.
    static constexpr std::size_t kMaxEventsInMemory = 1 << 16;

    // Empty unless events are kept.
    std::vector<TraceEvent> events() const;
    void clear();

    static QByteArray jsonLine(const TraceEvent& event);

private:
    mutable std::mutex m_mutex;
    QElapsedTimer m_clock;
    QFile m_file;
    QString m_fileError;
    EventMemory m_memory;
    // Set once: with nothing kept and no file, recording takes no lock at all.
    bool m_records = false;
    std::deque<TraceEvent> m_events;
};

} // namespace zyne::sim
