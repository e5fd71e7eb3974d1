#include "SocketClientHelper.h"

#include "PowerSupplyApp.h"
#include "RemoteLog.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QThread>

namespace zyne {

SocketClientHelper::SocketClientHelper(QObject* parent, quint16 port)
    : QObject(parent), m_socket(new QTcpSocket(this)), m_port(port) {
    m_socket->setReadBufferSize(8 * kReadChunk);
    connect(m_socket, &QTcpSocket::readyRead, this, &SocketClientHelper::slotReadyRead);
    connect(m_socket, &QTcpSocket::connected, this, &SocketClientHelper::slotConnected);
    connect(m_socket, &QTcpSocket::disconnected, this, &SocketClientHelper::slotDisConnected);
    // The application need not be running; a failed attempt only shows in the socket's state.
    connectToApplication();
}

SocketClientHelper::~SocketClientHelper() = default;

quint16 SocketClientHelper::portFromEnvironment() {
    const QByteArray text = qgetenv("ZYNE_PSU_APP_PORT");
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (text.isEmpty() || !ok || port == 0 || port > 65535) {
        if (!text.isEmpty())
            qCWarning(lcRemote).noquote()
                << "ZYNE_PSU_APP_PORT is not a port number:" << text << "- using" << kDefaultPort;
        return kDefaultPort;
    }
    return quint16(port);
}

void SocketClientHelper::connectToApplication() {
    m_socket->connectToHost(QHostAddress(QHostAddress::LocalHost), m_port, QIODevice::ReadWrite);
}

bool SocketClientHelper::isConnected() const {
    return m_socket->state() == QAbstractSocket::ConnectedState;
}

void SocketClientHelper::slotConnected() {
    qCDebug(lcRemote) << "slotConnected";
}

void SocketClientHelper::slotDisConnected() {
    qCDebug(lcRemote) << "slotDisConnected";
}

void SocketClientHelper::testSendCommand(QString text) {
    qCDebug(lcRemote) << "sendCommand----GetCurrentThreadId():" << QThread::currentThreadId();
    if (isConnected()) {
        qCDebug(lcRemote).noquote() << "sendCommand:::::true::::" << text;
    } else {
        qCDebug(lcRemote) << "sendCommand:::::false";
        // While an attempt is under way the socket keeps the text and sends it once connected.
        if (m_socket->state() == QAbstractSocket::UnconnectedState)
            connectToApplication();
    }
    if (m_socket->bytesToWrite() > kMaxUnsentBytes) {
        qCWarning(lcRemote) << "power-supply application message dropped: it takes nothing";
        return;
    }
    if (m_socket->write(text.toLatin1()) < 0)
        qCDebug(lcRemote) << "power-supply application message lost:" << m_socket->errorString();
}

void SocketClientHelper::slotReadyRead() {
    const QByteArray data = m_socket->read(kReadChunk);
    qCInfo(lcRemote, "Socket:data %s", data.constData());
    qCDebug(lcRemote).noquote() << "BEFORE:" << QString::fromLatin1(data);
    qCDebug(lcRemote) << "strlist.count():" << data.split('&').size();
    qCDebug(lcRemote).noquote() << "powerType:"
                                << QString::fromLatin1(data.split('&').constFirst().split('!').constFirst());
    const int type = powerTypeFromAnnouncement(data);
    if (type != PowerTypeUnknown)
        emit sendPowerType(type);
    // More than one chunk waiting: the rest on the next turn of the event loop.
    if (m_socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &SocketClientHelper::slotReadyRead, Qt::QueuedConnection);
}

} // namespace zyne
