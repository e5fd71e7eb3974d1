#include "SingleInstance.h"

#include "MessageServer.h"
#include "RuntimeFolder.h"
#include "SettingsFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLoggingCategory>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

Q_LOGGING_CATEGORY(lcPlatform, "zyne.platform")

namespace zyne {

namespace {
constexpr int kConnectTimeoutMs = 1000;
// The running instance may be busy for a moment (its socket's backlog full): a few tries.
constexpr int kSendAttempts = 3;

// "Zyne Plus RGB" -> "zyne-plus-rgb": file names without blanks or slashes.
QString fileNameFromTitle(const QString& title) {
    QString name;
    for (const QChar c : title.toLower())
        name += c.isLetterOrNumber() ? c : QLatin1Char('-');
    return name;
}
} // namespace

SingleInstance::SingleInstance(const QString& windowTitle, QObject* parent)
    : SingleInstance(windowTitle, settingsFolder(), parent) {}

SingleInstance::SingleInstance(const QString& windowTitle, const QString& lockFolder, QObject* parent)
    : QObject(parent), m_lockPath(lockFolder + QLatin1Char('/') + fileNameFromTitle(windowTitle) +
                                  QStringLiteral(".instance")) {
    QString problem;
    const QString folder = privateRuntimeFolder(&problem);
    if (folder.isEmpty())
        qCWarning(lcPlatform).noquote() << "single instance: no private folder for the socket:" << problem
                                        << "- window messages can't be received";
    else
        m_socketPath = folder + QLatin1Char('/') + fileNameFromTitle(windowTitle) + QStringLiteral(".socket");
}

SingleInstance::~SingleInstance() {
    if (m_lockFd >= 0)
        ::close(m_lockFd); // releases the lock
}

SingleInstance::Lock SingleInstance::takeInstanceLock() {
    QDir().mkpath(QFileInfo(m_lockPath).absolutePath());
    // The lock lives as long as this descriptor; the file itself is never written.
    const int fd = ::open(QFile::encodeName(m_lockPath).constData(),
                          O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0) {
        qCWarning(lcPlatform).noquote()
            << "single instance: the lock" << m_lockPath << "can't be opened:" << std::strerror(errno);
        return Lock::Unavailable;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_lockFd = fd;
        return Lock::Taken;
    }
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK)
        return Lock::HeldElsewhere;
    qCWarning(lcPlatform).noquote() << "single instance: the lock" << m_lockPath
                                    << "can't be taken:" << std::strerror(error);
    return Lock::Unavailable;
}

bool SingleInstance::claim(const WindowMessage& message) {
    const Lock lock = takeInstanceLock();
    if (lock == Lock::HeldElsewhere) {
        for (int attempt = 0; attempt < kSendAttempts; ++attempt) {
            if (send(message)) {
                m_handedOver = true;
                return false;
            }
        }
        qCWarning(lcPlatform) << "single instance: another instance holds" << m_lockPath
                              << "but does not answer on" << m_socketPath;
        return false;
    }
    // Without the lock file the socket is all there is to go by.
    if (lock == Lock::Unavailable && send(message)) {
        m_handedOver = true;
        return false;
    }
    if (m_socketPath.isEmpty())
        return true;
    // The holder of the lock may take over whatever socket file is there.
    m_server = new MessageServer(m_socketPath, this);
    connect(m_server, &MessageServer::messageReceived, this, [this](const WindowMessage& received) {
        emit messageReceived(received.msg, received.wParam, received.lParam);
    });
    m_server->listen();
    return true;
}

bool SingleInstance::send(const WindowMessage& message) const {
    return !m_socketPath.isEmpty() && socketIsOurs() && sendToRunningInstance(message);
}

bool SingleInstance::socketIsOurs() const {
    struct stat info {};
    if (::lstat(QFile::encodeName(m_socketPath).constData(), &info) != 0)
        return false; // nothing there: nobody listens
    if (S_ISSOCK(info.st_mode) && info.st_uid == ::getuid())
        return true;
    qCWarning(lcPlatform) << "single instance:" << m_socketPath << "is not this user's socket (uid"
                          << info.st_uid << "); not used";
    return false;
}

bool SingleInstance::sendToRunningInstance(const WindowMessage& message) const {
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(encodeWindowMessage(message));
    const bool sent = socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return sent;
}

} // namespace zyne
