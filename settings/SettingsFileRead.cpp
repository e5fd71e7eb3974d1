#include "SettingsFileRead.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zyne {

namespace {
QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

SettingsFileRead unreadable(QString problem) {
    return {SettingsFileRead::Unreadable, {}, std::move(problem)};
}
} // namespace

SettingsFileRead readSettingsFile(const QString& path, qint64 limit) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT)
            return {};
        return unreadable(errorText(error));
    }
    SettingsFileRead result;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        result = unreadable(errorText(errno));
    } else if (!S_ISREG(info.st_mode)) {
        result = unreadable(QStringLiteral("not a regular file"));
    } else {
        result.status = SettingsFileRead::Read;
        // One byte past the limit tells a file that is too large, whatever its reported size.
        const qint64 wanted = limit + 1;
        result.bytes.resize(static_cast<int>(std::min<qint64>(wanted, info.st_size + 1)));
        qint64 got = 0;
        for (;;) {
            if (got == result.bytes.size()) {
                if (got >= wanted)
                    break;
                result.bytes.resize(static_cast<int>(std::min<qint64>(wanted, got * 2 + 4096)));
            }
            const ssize_t n =
                ::read(fd, result.bytes.data() + got, static_cast<size_t>(result.bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                result = unreadable(errorText(errno));
                break;
            }
            if (n == 0)
                break;
            got += n;
        }
        if (result.status == SettingsFileRead::Read) {
            result.bytes.truncate(static_cast<int>(got));
            if (got > limit)
                result = unreadable(
                    QStringLiteral("larger than %1 bytes, too large to be a settings file").arg(limit));
        }
    }
    ::close(fd);
    return result;
}

} // namespace zyne
