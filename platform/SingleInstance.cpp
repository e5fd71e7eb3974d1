#include "SingleInstance.h"

#include "MessageServer.h"
#include "RuntimeFolder.h"

#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QLoggingCategory>

#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcPlatform, "zyne.platform")

namespace zyne {

namespace {
constexpr int kConnectTimeoutMs = 1000;

// "Zyne Plus RGB" -> "zyne-plus-rgb": file names without blanks or slashes.
QString fileNameFromTitle(const QString& title) {
    QString name;
    for (const QChar c : title.toLower())
        name += c.isLetterOrNumber() ? c : QLatin1Char('-');
    return name;
}
} // namespace

SingleInstance::SingleInstance(const QString& windowTitle, QObject* parent) : QObject(parent) {
    QString problem;
    const QString folder = privateRuntimeFolder(&problem);
    if (folder.isEmpty())
        qCWarning(lcPlatform).noquote() << "single instance: no private folder for the socket:" << problem
                                        << "- running without a single-instance check";
    else
        m_socketPath = folder + QLatin1Char('/') + fileNameFromTitle(windowTitle) + QStringLiteral(".socket");
}

bool SingleInstance::claim(const WindowMessage& message) {
    if (m_socketPath.isEmpty())
        return true;
    QLockFile startLock(m_socketPath + QStringLiteral(".lock"));
    if (!startLock.tryLock(kConnectTimeoutMs))
        qCWarning(lcPlatform) << "single instance: start lock not taken:" << startLock.error();
    if (socketIsOurs() && sendToRunningInstance(message))
        return false;
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
    const QByteArray path = QFile::encodeName(m_socketPath);
    if (::lstat(path.constData(), &info) != 0)
        return false; // nothing there: nobody runs
    if (S_ISSOCK(info.st_mode) && info.st_uid == ::getuid())
        return true;
    qCWarning(lcPlatform) << "single instance:" << m_socketPath << "is not this user's socket (uid"
                          << info.st_uid << "); removed, not used";
    ::unlink(path.constData());
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
