#pragma once

#include "MobileFrames.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>

#include <functional>

class QTcpServer;
class QTcpSocket;

namespace zyne {

// Where the mobile app server listens (Main setting MobileServer).
enum class MobileServerExposure {
    Off = 0,           // no server
    AllInterfaces = 1, // every local address, IPv4 and IPv6: what the app on the phone needs
    LoopbackOnly = 2,  // 127.0.0.1 and ::1 only
};

// The TCP server the maker's mobile app connects to: greets each app, takes its frames and hands
// every command to the main window, and sends the replies back.
class SocketHelper : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 kDefaultPort = 5489;
    static constexpr int kMaxConnections = 128;
    // One host can't take up the room the phone needs.
    static constexpr int kMaxConnectionsPerAddress = 16;
    // One notification reads at most this much; the rest waits for the next turn of the event loop.
    static constexpr int kReadChunk = 8192;

    // boxList gives the Plus presence string at the moment the app asks for the box list.
    SocketHelper(MobileServerExposure exposure, quint16 port, std::function<QString()> boxList,
                 QObject* parent = nullptr);
    ~SocketHelper() override;

    // The port to listen on: ZYNE_MOBILE_PORT when set to a port number (0 picks a free one, which
    // the "Listening:" log line names), else 5489.
    static quint16 portFromEnvironment();

    bool isListening() const;
    // The port actually listened on (useful when 0 was asked for), 0 when not listening.
    quint16 serverPort() const;
    int connectionCount() const { return m_connections.size(); }

    // Used in every later greeting: the lock flag and password as the program started with them.
    void setLock(bool on, const QString& password);
    using ReplyTarget = QPointer<QTcpSocket>;
    // The connection whose command is being handled, for a reply that comes later; null outside.
    ReplyTarget replyTarget() const { return m_handling; }
    // Sends the JSON text to the connection whose command is being handled, else to the most
    // recent connection still open; dropped when none is.
    void push(const QByteArray& jsonText);
    // The same for a reply to an earlier command: to its connection while that is open.
    void push(const QByteArray& jsonText, const ReplyTarget& target);

signals:
    void socketHelperSendData(QVariantMap command);

private:
    void listen(MobileServerExposure exposure, quint16 port);
    void acceptConnections(QTcpServer* server);
    // Closes what must go for a newcomer from this address: the connection silent longest, of that
    // address when it holds its share, else of all when the server is full.
    void makeRoomFor(const QString& address);
    void readFrom(QTcpSocket* socket);
    // Writes one frame unless the connection already holds too much unsent data (then it is closed).
    void sendFrame(QTcpSocket* socket, const QByteArray& jsonText);
    void closeConnection(QTcpSocket* socket, const char* why);
    void forget(QTcpSocket* socket);
    void sendBoxList(QTcpSocket* socket);

    struct Connection {
        FrameReader reader;
        QString address;
        quint64 lastHeard = 0; // m_activity when it was accepted or last sent something
    };

    QList<QTcpServer*> m_servers;
    QHash<QTcpSocket*, Connection> m_connections;
    quint64 m_activity = 0;
    QList<QTcpSocket*> m_acceptOrder; // the last one is the current client
    ReplyTarget m_handling;
    std::function<QString()> m_boxList;
    bool m_lockOn = false;
    QString m_password;
};

} // namespace zyne
