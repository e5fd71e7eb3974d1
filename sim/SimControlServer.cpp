#include "SimControlServer.h"

#include "SimBackend.h"
#include "SimLogging.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace zyne::sim {

namespace {
// A client that sends this much without a newline is not speaking the protocol.
constexpr qint64 kMaxLineLength = 4096;
// Answers a client has not read yet; one that lets more pile up is not reading them at all.
constexpr qint64 kMaxUnreadAnswers = 64 * 1024;
} // namespace

SimControlServer::SimControlServer(SimBackend& backend, const QString& socketPath, QObject* parent)
    : QObject(parent), m_backend(backend), m_server(new QLocalServer(this)) {
    // A socket file left behind by a crashed run would block the name.
    QLocalServer::removeServer(socketPath);
    connect(m_server, &QLocalServer::newConnection, this, &SimControlServer::acceptConnections);
    if (!m_server->listen(socketPath))
        qCWarning(lcSim) << "control socket" << socketPath << "failed:" << m_server->errorString();
}

bool SimControlServer::isListening() const {
    return m_server->isListening();
}

QString SimControlServer::errorString() const {
    return m_server->errorString();
}

void SimControlServer::acceptConnections() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answerLines(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void SimControlServer::answerLines(QLocalSocket* socket) {
    while (socket->canReadLine()) {
        if (socket->bytesToWrite() > kMaxUnreadAnswers) {
            qCWarning(lcSim) << "control socket: the client reads no answers, closing the connection";
            socket->abort();
            socket->deleteLater();
            return;
        }
        const QString line = QString::fromUtf8(socket->readLine()).trimmed();
        socket->write(m_backend.control(line).toUtf8() + '\n');
    }
    if (socket->bytesAvailable() > kMaxLineLength) {
        qCWarning(lcSim) << "control socket: line too long, closing the connection";
        socket->write("error: line too long\n");
        socket->disconnectFromServer();
    }
}

} // namespace zyne::sim
