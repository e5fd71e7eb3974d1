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

    // Hands the message to the running instance and returns false; when none runs, this process
    // becomes the running instance and true is returned. Two processes starting at once can't
    // both become it.
    bool claim(quint32 msg, quint32 wParam, quint32 lParam);

signals:
    void messageReceived(quint32 msg, quint32 wParam, quint32 lParam);

private:
    bool sendToRunningInstance(quint32 msg, quint32 wParam, quint32 lParam) const;
    bool listen();

    void readMessage();

    QString m_serverName;
    QLocalServer* m_server = nullptr;
};

} // namespace zyne
