#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace zyne {

// The per-user stand-in for finding the running instance by its window title and sending it a
// private window message (msg, wParam, lParam).
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& windowTitle, QObject* parent = nullptr);

    // Hands the message to a running instance; false when none answers.
    bool sendToRunningInstance(quint32 msg, quint32 wParam, quint32 lParam) const;
    // Starts answering as the running instance.
    bool listen();

signals:
    void messageReceived(quint32 msg, quint32 wParam, quint32 lParam);

private:
    void readMessage();

    QString m_serverName;
    QLocalServer* m_server = nullptr;
};

} // namespace zyne
