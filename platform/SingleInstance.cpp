#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QLoggingCategory>
#include <QStandardPaths>

#include <unistd.h>

Q_LOGGING_CATEGORY(lcPlatform, "zyne.platform")

namespace zyne {

namespace {
constexpr int kConnectTimeoutMs = 1000;
constexpr int kMessageBytes = 12;

QString currentUser() {
    const QByteArray user = qgetenv("USER");
    return user.isEmpty() ? QString::number(static_cast<qulonglong>(getuid())) : QString::fromLocal8Bit(user);
}
} // namespace

SingleInstance::SingleInstance(const QString& windowTitle, QObject* parent) : QObject(parent) {
    // Socket names live in a shared folder: one per title and user, without blanks.
    const QByteArray key = (windowTitle + QLatin1Char('/') + currentUser()).toUtf8();
    m_serverName =
        QStringLiteral("vx-zyne-plus-rgb-") +
        QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
}

bool SingleInstance::claim(quint32 msg, quint32 wParam, quint32 lParam) {
    QLockFile startLock(QDir::isAbsolutePath(m_serverName)
                            ? m_serverName + QStringLiteral(".lock")
                            : QDir::temp().filePath(m_serverName + QStringLiteral(".lock")));
    if (!startLock.tryLock(kConnectTimeoutMs))
        qCWarning(lcPlatform) << "single instance: start lock not taken:" << startLock.error();
    if (sendToRunningInstance(msg, wParam, lParam))
        return false;
    listen();
    return true;
}

bool SingleInstance::sendToRunningInstance(quint32 msg, quint32 wParam, quint32 lParam) const {
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << msg << wParam << lParam;
    socket.write(message);
    const bool sent = socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return sent;
}

bool SingleInstance::listen() {
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName)) {
        // A socket left behind by a crashed instance: nobody answered on it, so take it over.
        QLocalServer::removeServer(m_serverName);
        if (!m_server->listen(m_serverName)) {
            qCWarning(lcPlatform) << "single instance: can't listen on" << m_serverName
                                  << m_server->errorString();
            return false;
        }
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                while (socket->bytesAvailable() >= kMessageBytes) {
                    QDataStream in(socket->read(kMessageBytes));
                    quint32 msg = 0, wParam = 0, lParam = 0;
                    in >> msg >> wParam >> lParam;
                    emit messageReceived(msg, wParam, lParam);
                }
            });
        }
    });
    return true;
}

} // namespace zyne
