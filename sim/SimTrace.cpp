#include "SimTrace.h"

#include "SimLogging.h"

namespace zyne::sim {

SimTrace::SimTrace(const QString& path, EventMemory memory)
    : m_memory(memory), m_records(memory == EventMemory::Keep) {
    m_clock.start();
    if (path.isEmpty())
        return;
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        m_fileError = QStringLiteral("cannot open trace file %1: %2").arg(path, m_file.errorString());
        qCWarning(lcSim).noquote() << m_fileError;
    }
    m_records = m_records || m_file.isOpen();
}

void SimTrace::record(const QString& dev, const QString& dir, const QByteArray& bytes, bool ok, int wait) {
    if (!m_records)
        return;
    std::lock_guard lock(m_mutex);
    TraceEvent event{m_clock.elapsed(), dev, dir, bytes, ok, wait};
    if (m_file.isOpen() && m_file.write(jsonLine(event)) < 0)
        qCWarning(lcSim) << "trace write failed:" << m_file.errorString();
    if (m_memory == EventMemory::None)
        return;
    if (m_events.size() == kMaxEventsInMemory)
        m_events.pop_front();
    m_events.push_back(std::move(event));
}

std::vector<TraceEvent> SimTrace::events() const {
    std::lock_guard lock(m_mutex);
    return {m_events.begin(), m_events.end()};
}

void SimTrace::clear() {
    std::lock_guard lock(m_mutex);
    m_events.clear();
}

QByteArray SimTrace::jsonLine(const TraceEvent& event) {
    QByteArray line = "{\"t_ms\":" + QByteArray::number(event.tMs) + ",\"dev\":\"" + event.dev.toLatin1() +
                      "\",\"dir\":\"" + event.dir.toLatin1() + '"';
    if (event.dir == QLatin1String("open")) {
        line += event.ok ? ",\"ok\":true" : ",\"ok\":false";
    } else {
        line += ",\"hex\":\"" + event.bytes.toHex() + '"';
        // A failed transfer is rare enough to mark only when it happens.
        if (!event.ok)
            line += ",\"ok\":false";
        if (event.wait != TraceEvent::kNoWait)
            line += ",\"wait\":" + QByteArray::number(event.wait);
    }
    return line + "}\n";
}

} // namespace zyne::sim
