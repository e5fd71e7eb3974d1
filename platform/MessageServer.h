#pragma once

#include "WindowMessage.h"

#include <QList>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QTimer;

namespace zyne {

// The running instance's end of the single-instance socket. It holds a bounded number of
// connections (a new one pushes out the oldest), drops connections that stay idle, and listens
// again when the server was closed under it (descriptor exhaustion) or its socket file vanished.
class MessageServer : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxConnections = 8;
    static constexpr int kIdleMs = 3000;
    static constexpr int kWatchMs = 1000;

    explicit MessageServer(QString path, QObject* parent = nullptr);

    // Listens on the path, taking over a socket file nobody answers on.
    bool listen();
    bool isListening() const;

signals:
    void messageReceived(const zyne::WindowMessage& message);

private:
    void acceptConnections();
    void readMessages(QLocalSocket* socket);
    void drop(QLocalSocket* socket);
    void checkListening();

    QString m_path;
    QList<QLocalSocket*> m_connections; // oldest first
    QLocalServer* m_server = nullptr;
    QTimer* m_watch = nullptr;
};

} // namespace zyne
