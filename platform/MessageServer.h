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
    // Garbage on the socket must not flood the log: each connection's first unknown message is
    // named, at most this many a minute; the rest are counted, and the count logged once a minute.
    static constexpr int kUnknownLinesPerMinute = 10;
    static constexpr int kUnknownCountMs = 60 * 1000;

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
    void noteUnknown(QLocalSocket* socket, const WindowMessage& message);
    void logUnknownCount();

    QString m_path;
    QList<QLocalSocket*> m_connections; // oldest first
    QLocalServer* m_server = nullptr;
    QTimer* m_watch = nullptr;
    QTimer* m_unknownMinute = nullptr;
    int m_unknownLines = 0;   // named this minute
    int m_unknownCounted = 0; // not named this minute
};

} // namespace zyne
