#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace zyne {

// An append-only log file that starts over past a size limit, keeping the previous one beside it
// as <name>.1. When that can't be done the file is left as it is and no more lines are written
// to it: the log never grows without bound. It is only ever a regular file of its own: opened
// without following a link and without blocking.
class RotatingLogFile {
public:
    RotatingLogFile(const QString& path, qint64 limit);

    // False (and *problem says why) when the file can't be opened for appending. A link or other
    // non-regular file in its place is replaced by a regular file first (and logged).
    bool open(QString* problem);
    bool isOpen() const { return m_file.isOpen(); }
    // Appends one line. Returns a warning, once, when the file has just been given up.
    QString append(const QByteArray& line);

private:
    bool openRegularFile(QString* problem);
    QString startOver();

    QString m_path;
    QFile m_file;
    qint64 m_limit;
    qint64 m_size = 0;
};

} // namespace zyne
