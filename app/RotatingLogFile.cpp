#include "RotatingLogFile.h"

#include <QDir>
#include <QFileInfo>

namespace zyne {

RotatingLogFile::RotatingLogFile(const QString& path, qint64 limit) : m_file(path), m_limit(limit) {}

bool RotatingLogFile::open(QString* problem) {
    QDir().mkpath(QFileInfo(m_file.fileName()).absolutePath());
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        *problem = m_file.errorString();
        return false;
    }
    m_size = m_file.size();
    return true;
}

QString RotatingLogFile::append(const QByteArray& line) {
    if (!m_file.isOpen())
        return QString();
    m_file.write(line);
    m_file.flush();
    m_size += line.size();
    return m_size > m_limit ? startOver() : QString();
}

QString RotatingLogFile::startOver() {
    const QString path = m_file.fileName();
    const QString previous = path + QStringLiteral(".1");
    m_file.close();
    QFile::remove(previous);
    QString problem;
    if (!QFile::rename(path, previous))
        problem = QStringLiteral("%1 can't be replaced").arg(previous);
    else if (!open(&problem))
        problem = QStringLiteral("%1: %2").arg(path, problem);
    else
        return QString();
    // Trying again on every line would only let the file grow without bound.
    return QStringLiteral("log file rotation failed (%1): no more lines are written to %2")
        .arg(problem, path);
}

} // namespace zyne
