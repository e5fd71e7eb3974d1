#include "RotatingLogFile.h"

#include "SettingsFileWrite.h"

#include <QDir>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zyne {

RotatingLogFile::RotatingLogFile(const QString& path, qint64 limit) : m_path(path), m_limit(limit) {}

bool RotatingLogFile::open(QString* problem) {
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    // A link, FIFO or device in the log's place would take the log elsewhere or hang the start: it
    // gives way to a regular file (what a link points at is left as it is).
    if (!nonRegularFileKind(m_path).isEmpty() && !replaceFileSafely(m_path, QByteArray())) {
        *problem = QStringLiteral("%1 is not a regular file and can't be replaced by one").arg(m_path);
        return false;
    }
    return openRegularFile(problem);
}

bool RotatingLogFile::openRegularFile(QString* problem) {
    const int fd =
        ::open(QFile::encodeName(m_path).constData(),
               O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0) {
        *problem = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        *problem = QStringLiteral("not a regular file");
        return false;
    }
    if (!m_file.open(fd, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text,
                     QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *problem = m_file.errorString();
        return false;
    }
    m_size = info.st_size;
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
    const QString previous = m_path + QStringLiteral(".1");
    m_file.close();
    // rename() moves the entry itself: a link as <name>.1 is replaced, never followed. Nothing is
    // logged from here (the log's own lock is held), so whatever took the log's place since is
    // only refused.
    QString problem;
    if (::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(previous).constData()) != 0)
        problem = QStringLiteral("%1 can't be replaced: %2")
                      .arg(previous, QString::fromLocal8Bit(std::strerror(errno)));
    else if (!openRegularFile(&problem))
        problem = QStringLiteral("%1: %2").arg(m_path, problem);
    else
        return QString();
    // Trying again on every line would only let the file grow without bound.
    return QStringLiteral("log file rotation failed (%1): no more lines are written to %2")
        .arg(problem, m_path);
}

} // namespace zyne
