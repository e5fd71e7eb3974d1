#pragma once

#include <QObject>
#include <QString>

class QTcpSocket;

namespace zyne {

// The link to the power-supply companion application on this PC (127.0.0.1:5488): learns which
// power supply is attached and passes on the workers' sync messages. Create it on the GUI thread
// and keep it there (no parent that moves to another thread): the classic worker reaches it
// through a queued connection. Nothing here waits on the network.
class SocketClientHelper : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 kDefaultPort = 5488;
    static constexpr int kReadChunk = 8192;
    // Messages queued for an application that does not take them are dropped past this.
    static constexpr qint64 kMaxUnsentBytes = 64 * 1024;

    explicit SocketClientHelper(QObject* parent = nullptr, quint16 port = portFromEnvironment());
    ~SocketClientHelper() override;

    // ZYNE_PSU_APP_PORT when set to a port number, else 5488.
    static quint16 portFromEnvironment();

    bool isConnected() const;

public slots:
    // Sends one framed message; starts a new connection attempt first when there is none.
    void testSendCommand(QString text);
    void slotReadyRead();
    void slotConnected();
    void slotDisConnected();

signals:
    void sendPowerType(int type);

private:
    void connectToApplication();

    QTcpSocket* m_socket = nullptr;
    quint16 m_port;
};

} // namespace zyne
