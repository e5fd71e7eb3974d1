#include "RuntimeFolder.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zyne {

bool isPrivateFolder(const QString& path, QString* problem) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) {
        *problem = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        *problem = QStringLiteral("%1 is not a folder").arg(path);
        return false;
    }
    if (info.st_uid != ::getuid()) {
        *problem = QStringLiteral("%1 belongs to another user (uid %2)").arg(path).arg(info.st_uid);
        return false;
    }
    if (info.st_mode & (S_IRWXG | S_IRWXO)) {
        *problem = QStringLiteral("%1 is open to other users (mode %2)")
                       .arg(path)
                       .arg(info.st_mode & 07777, 4, 8, QLatin1Char('0'));
        return false;
    }
    return true;
}

QString privateRuntimeFolder(QString* problem) {
    const QString runtime = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
    QString runtimeProblem;
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && isPrivateFolder(runtime, &runtimeProblem))
        return QDir::cleanPath(runtime);

    const QString own = QDir::tempPath() + QStringLiteral("/vx-zyne-plus-rgb-%1").arg(::getuid());
    // mkdir fails on anything already there; whatever it is must then pass the same checks.
    ::mkdir(QFile::encodeName(own).constData(), S_IRWXU);
    if (isPrivateFolder(own, problem))
        return own;
    if (!runtimeProblem.isEmpty())
        *problem = runtimeProblem + QStringLiteral("; ") + *problem;
    return QString();
}

} // namespace zyne
