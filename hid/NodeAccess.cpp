#include "NodeAccess.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace zyne {

NodeAccess nodeAccess(const QString& path, QString* error) {
    if (!path.startsWith(QLatin1String("/dev/")))
        return NodeAccess::NotANode;
    // O_NONBLOCK: a node that turned into a FIFO or a slow device must not hold the program.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return NodeAccess::Allowed;
    }
    const int code = errno;
    if (error)
        *error = QString::fromLocal8Bit(std::strerror(code));
    return code == EACCES || code == EPERM ? NodeAccess::Denied : NodeAccess::Failed;
}

QString nodeAccessText(const ListedNode& node) {
    switch (node.access) {
    case NodeAccess::Allowed:
        return QStringLiteral("yes");
    case NodeAccess::NotANode:
        return QStringLiteral("yes (simulated)");
    case NodeAccess::Denied:
    case NodeAccess::Failed:
        break;
    }
    return QStringLiteral("no: ") + node.error;
}

} // namespace zyne
