#include "SocketHelper.h"

#include "RemoteLog.h"

#include <QHostInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace zyne {

namespace {
const QString kVersion = QStringLiteral(ZYNE_VERSION);
// A client that stops reading its replies is not worth more memory than this.
constexpr qint64 kMaxUnsentBytes = 256 * 1024;
// Qt keeps at most this much of a connection's unread data; TCP holds back the rest.
constexpr qint64 kSocketReadBuffer = 8 * SocketHelper::kReadChunk;
} // namespace

SocketHelper::SocketHelper(MobileServerExposure exposure, quint16 port, std::function<QString()> boxList,
                           QObject* parent)
    : QObject(parent), m_boxList(std::move(boxList)) {
    listen(exposure, port);
}

SocketHelper::~SocketHelper() = default;

quint16 SocketHelper::portFromEnvironment() {
    const QByteArray text = qgetenv("ZYNE_MOBILE_PORT");
    if (text.isEmpty())
        return kDefaultPort;
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (!ok || port > 65535) {
        qCWarning(lcRemote).noquote()
            << "ZYNE_MOBILE_PORT is not a port number:" << text << "- using" << kDefaultPort;
        return kDefaultPort;
    }
    return quint16(port);
}

void SocketHelper::listen(MobileServerExposure exposure, quint16 port) {
    if (exposure == MobileServerExposure::Off) {
        qCInfo(lcRemote) << "Listening: off (MobileServer=0)";
        return;
    }
    QList<QHostAddress> addresses;
    if (exposure == MobileServerExposure::LoopbackOnly)
        addresses = {QHostAddress(QHostAddress::LocalHost), QHostAddress(QHostAddress::LocalHostIPv6)};
    else
        addresses = {QHostAddress(QHostAddress::Any)}; // IPv4 and IPv6 on one socket
    for (const QHostAddress& address : addresses) {
        auto* server = new QTcpServer(this);
        const bool listening = server->listen(address, port);
        qCDebug(lcRemote).noquote() << "Listening:" << listening << address.toString() << "port"
                                    << (listening ? server->serverPort() : port)
                                    << (listening ? QString() : server->errorString());
        if (!listening) {
            delete server;
            continue;
        }
        // Both loopback sockets on the same port, also when a free one was picked.
        port = server->serverPort();
        connect(server, &QTcpServer::newConnection, this, [this, server] { acceptConnections(server); });
        m_servers << server;
    }
}

bool SocketHelper::isListening() const {
    return !m_servers.isEmpty();
}

quint16 SocketHelper::serverPort() const {
    return m_servers.isEmpty() ? 0 : m_servers.first()->serverPort();
}

void SocketHelper::setLock(bool on, const QString& password) {
    m_lockOn = on;
    m_password = password;
}

void SocketHelper::acceptConnections(QTcpServer* server) {
    while (QTcpSocket* socket = server->nextPendingConnection()) {
        const QString address = socket->peerAddress().toString();
        qCDebug(lcRemote).noquote() << "Socket:newConnection" << address;
        makeRoomFor(address);
        socket->setReadBufferSize(kSocketReadBuffer);
        m_connections.insert(socket, Connection{FrameReader(), address, ++m_activity});
        m_acceptOrder << socket;
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            qCDebug(lcRemote) << "Socket:disconnected";
            forget(socket);
        });
        socket->write(greeting(kVersion, QHostInfo::localHostName(), m_lockOn, m_password));
    }
}

void SocketHelper::makeRoomFor(const QString& address) {
    QTcpSocket* silentOfAddress = nullptr;
    QTcpSocket* silentOfAll = nullptr;
    quint64 addressHeard = 0;
    quint64 allHeard = 0;
    int ofAddress = 0;
    for (auto it = m_connections.cbegin(); it != m_connections.cend(); ++it) {
        if (it->address == address) {
            ++ofAddress;
            if (!silentOfAddress || it->lastHeard < addressHeard) {
                silentOfAddress = it.key();
                addressHeard = it->lastHeard;
            }
        }
        if (!silentOfAll || it->lastHeard < allHeard) {
            silentOfAll = it.key();
            allHeard = it->lastHeard;
        }
    }
    if (ofAddress >= kMaxConnectionsPerAddress)
        closeConnection(silentOfAddress, "its address has no more room; it was silent longest");
    else if (m_connections.size() >= kMaxConnections)
        closeConnection(silentOfAll, "the server is full; it was silent longest");
}

void SocketHelper::readFrom(QTcpSocket* socket) {
    if (!m_connections.contains(socket))
        return;
    Connection& connection = m_connections[socket];
    connection.lastHeard = ++m_activity;
    if (!connection.reader.append(socket->read(kReadChunk))) {
        closeConnection(socket, "an unfinished frame passed 64 KiB");
        return;
    }
    QPointer<QTcpSocket> guard(socket);
    for (;;) {
        // Looked up each time: a command may have closed connections while it ran.
        if (!guard || !m_connections.contains(socket))
            return;
        const std::optional<QByteArray> frame = m_connections[socket].reader.nextFrame();
        if (!frame)
            break;
        const MobileFrame decoded = decodeFrame(*frame);
        qCDebug(lcRemote).noquote() << "socketHelperReceiveData:" << decoded.text;
        if (decoded.kind == MobileFrame::Invalid) {
            qCWarning(lcRemote).noquote() << "frame skipped:" << decoded.error;
        } else if (decoded.kind == MobileFrame::BoxListRequest) {
            sendBoxList(socket);
        } else {
            // Replies go back to the app that asked, not to whichever connected last.
            m_handling = socket;
            emit socketHelperSendData(decoded.command);
            m_handling.clear();
        }
    }
    if (guard && socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(
            this,
            [this, guard] {
                if (guard)
                    readFrom(guard);
            },
            Qt::QueuedConnection);
}

void SocketHelper::sendBoxList(QTcpSocket* socket) {
    const QJsonObject reply{{QStringLiteral("ResType"), 10},
                            {QStringLiteral("BoxNumStr"), m_boxList ? m_boxList() : QString()}};
    sendFrame(socket, QJsonDocument(reply).toJson(QJsonDocument::Compact));
}

void SocketHelper::push(const QByteArray& jsonText) {
    push(jsonText, m_handling);
}

void SocketHelper::push(const QByteArray& jsonText, const ReplyTarget& target) {
    QTcpSocket* current = target && m_connections.contains(target) ? target.data() : nullptr;
    if (!current && !m_acceptOrder.isEmpty())
        current = m_acceptOrder.last();
    if (!current) {
        qCDebug(lcRemote) << "push dropped: no connection";
        return;
    }
    sendFrame(current, jsonText);
}

void SocketHelper::sendFrame(QTcpSocket* socket, const QByteArray& jsonText) {
    if (socket->bytesToWrite() > kMaxUnsentBytes) {
        closeConnection(socket, "it does not read its replies");
        return;
    }
    socket->write(encodeFrame(jsonText));
}

void SocketHelper::closeConnection(QTcpSocket* socket, const char* why) {
    qCWarning(lcRemote).noquote() << "closing the connection of" << socket->peerAddress().toString() << ":"
                                  << why;
    forget(socket);
    socket->abort();
}

void SocketHelper::forget(QTcpSocket* socket) {
    socket->disconnect(this);
    m_connections.remove(socket);
    m_acceptOrder.removeOne(socket);
    socket->deleteLater();
}

} // namespace zyne
