#include "SettingsFileWrite.h"

#include "SettingsFileRead.h"
#include "SettingsLog.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryFile>
#include <QThread>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zyne {

namespace {
constexpr char kTempSuffix[] = ".zyne-";
// A lock file is written right after it is made; one still empty after this long never will be.
constexpr qint64 kEmptyLockAgeMs = 20;
constexpr int kLockPollMs = 5;
constexpr qint64 kLockFileLimit = 4096;

bool processIsGone(qint64 pid) {
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

void syncFolder(const QString& path) {
    const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

SettingsFileLock::SettingsFileLock(const QString& path)
    : m_lockPath(path + QStringLiteral(".lock")), m_lock(m_lockPath) {}

bool SettingsFileLock::acquire(int waitMs) {
    const qint64 deadline = QDateTime::currentMSecsSinceEpoch() + waitMs;
    for (;;) {
        if (!clearDeadLock())
            return false;
        if (m_lock.tryLock(0))
            return true;
        if (QDateTime::currentMSecsSinceEpoch() >= deadline)
            return false;
        QThread::msleep(kLockPollMs);
    }
}

bool SettingsFileLock::clearDeadLock() const {
    const SettingsFileRead lock = readSettingsFile(m_lockPath, kLockFileLimit);
    if (lock.status == SettingsFileRead::Missing)
        return true;
    if (lock.status == SettingsFileRead::Unreadable)
        return false;
    // The store writes "pid\napplication\nhost\n...".
    const QList<QByteArray> lines = lock.bytes.split('\n');
    bool named = false;
    const qint64 pid = lines.value(0).toLongLong(&named);
    const QString host = QString::fromUtf8(lines.value(2));
    bool dead = false;
    if (!named)
        dead = QFileInfo(m_lockPath).lastModified().msecsTo(QDateTime::currentDateTime()) >= kEmptyLockAgeMs;
    else
        dead = (host.isEmpty() || host == QSysInfo::machineHostName()) && processIsGone(pid);
    if (dead) {
        qCInfo(lcSettings).noquote() << "removing" << m_lockPath << "left by a writer that is gone";
        QFile::remove(m_lockPath);
    }
    return true;
}

QString nonRegularFileKind(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || S_ISREG(info.st_mode))
        return QString();
    if (S_ISLNK(info.st_mode))
        return QStringLiteral("a symbolic link");
    if (S_ISFIFO(info.st_mode))
        return QStringLiteral("a FIFO");
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return QStringLiteral("a device");
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("a folder");
    if (S_ISSOCK(info.st_mode))
        return QStringLiteral("a socket");
    return QStringLiteral("not a regular file");
}

bool replaceFileSafely(const QString& path, const QByteArray& bytes) {
    QTemporaryFile temp(path + QLatin1String(kTempSuffix) + QStringLiteral("XXXXXX"));
    if (!temp.open()) {
        qCWarning(lcSettings).noquote() << "cannot write" << path << temp.errorString();
        return false;
    }
    if (temp.write(bytes) != bytes.size() || !temp.flush() || ::fsync(temp.handle()) != 0) {
        qCWarning(lcSettings).noquote() << "writing" << path << "failed:" << temp.errorString();
        return false;
    }
    temp.close();
    const QString kind = nonRegularFileKind(path);
    if (::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
        qCWarning(lcSettings).noquote() << "writing" << path << "failed:" << std::strerror(errno);
        return false;
    }
    temp.setAutoRemove(false);
    syncFolder(path);
    // Now a regular file, so this is said once.
    if (!kind.isEmpty())
        qCWarning(lcSettings).noquote()
            << path << "was" << kind << "- replaced by a regular file, never written through";
    return true;
}

void removeOrphanedTempFiles(const QString& path) {
    const QFileInfo file(path);
    const QString prefix = file.fileName() + QLatin1String(kTempSuffix);
    QDir folder = file.absoluteDir();
    for (const QString& name :
         folder.entryList({prefix + QStringLiteral("??????")}, QDir::Files | QDir::Hidden)) {
        qCInfo(lcSettings).noquote() << "removing" << folder.filePath(name) << "left by a killed write";
        folder.remove(name);
    }
}

} // namespace zyne
