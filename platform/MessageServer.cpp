#include "MessageServer.h"

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QTimer>

Q_DECLARE_LOGGING_CATEGORY(lcPlatform)

namespace zyne {

MessageServer::MessageServer(QString path, QObject* parent)
    : QObject(parent), m_path(std::move(path)), m_server(new QLocalServer(this)), m_watch(new QTimer(this)),
      m_unknownMinute(new QTimer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->setMaxPendingConnections(kMaxConnections);
    connect(m_server, &QLocalServer::newConnection, this, &MessageServer::acceptConnections);
    m_watch->setInterval(kWatchMs);
    connect(m_watch, &QTimer::timeout, this, &MessageServer::checkListening);
    m_unknownMinute->setSingleShot(true);
    m_unknownMinute->setInterval(kUnknownCountMs);
    connect(m_unknownMinute, &QTimer::timeout, this, &MessageServer::logUnknownCount);
}

bool MessageServer::listen() {
    m_server->close();
    if (!m_server->listen(m_path)) {
        // A socket left behind by a crashed instance: nobody answered on it, so take it over.
        QLocalServer::removeServer(m_path);
        if (!m_server->listen(m_path)) {
            qCWarning(lcPlatform) << "single instance: can't listen on" << m_path << m_server->errorString();
            m_watch->start();
            return false;
        }
    }
    m_watch->start();
    return true;
}

bool MessageServer::isListening() const {
    return m_server->isListening();
}

void MessageServer::checkListening() {
    if (m_server->isListening() && QFileInfo::exists(m_path))
        return;
    qCWarning(lcPlatform) << "single instance: the socket" << m_path << "was closed; listening again";
    listen();
}

void MessageServer::acceptConnections() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        if (m_connections.size() >= kMaxConnections)
            drop(m_connections.first());
        m_connections.append(socket);
        // Messages are read only whole: a client that only writes can't fill our memory.
        socket->setReadBufferSize(kWindowMessageBytes * kMaxConnections);
        auto* idle = new QTimer(socket);
        idle->setSingleShot(true);
        idle->start(kIdleMs);
        connect(idle, &QTimer::timeout, this, [this, socket] { drop(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            // A client may write its message and hang up at once.
            readMessages(socket);
            drop(socket);
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessages(socket); });
        readMessages(socket);
    }
}

void MessageServer::drop(QLocalSocket* socket) {
    if (!m_connections.removeOne(socket))
        return;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void MessageServer::readMessages(QLocalSocket* socket) {
    bool any = false;
    while (socket->bytesAvailable() >= kWindowMessageBytes) {
        QByteArray bytes = socket->read(kWindowMessageBytes);
        const auto message = takeWindowMessage(bytes);
        if (!message)
            continue;
        if (!isProgramMessage(message->msg)) {
            noteUnknown(socket, *message);
            continue;
        }
        any = true;
        emit messageReceived(*message);
    }
    if (any) {
        if (auto* idle = socket->findChild<QTimer*>())
            idle->start(kIdleMs);
    }
}

void MessageServer::noteUnknown(QLocalSocket* socket, const WindowMessage& message) {
    static const char kNamed[] = "zyneUnknownNamed";
    const bool firstOfConnection = !socket->property(kNamed).toBool();
    socket->setProperty(kNamed, true);
    if (!m_unknownMinute->isActive())
        m_unknownMinute->start();
    if (firstOfConnection && m_unknownLines < kUnknownLinesPerMinute) {
        ++m_unknownLines;
        qCWarning(lcPlatform).nospace() << "unknown message 0x" << Qt::hex << message.msg << " - ignored";
        return;
    }
    ++m_unknownCounted;
}

void MessageServer::logUnknownCount() {
    if (m_unknownCounted > 0)
        qCWarning(lcPlatform) << m_unknownCounted << "more unknown messages ignored in the last minute";
    m_unknownLines = 0;
    m_unknownCounted = 0;
}

} // namespace zyne
