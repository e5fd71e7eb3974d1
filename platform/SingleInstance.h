#pragma once

#include "WindowMessage.h"

#include <QObject>
#include <QString>

namespace zyne {

class MessageServer;

// The per-user stand-in for finding the running instance by its window title and sending it a
// private window message (msg, wParam, lParam). The socket and its start lock live in a folder
// only this user can reach (see RuntimeFolder.h), so no other user can pose as the running instance.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& windowTitle, QObject* parent = nullptr);

    // Hands the message to the running instance and returns false; when none runs, this process
    // becomes the running instance and true is returned. Two processes starting at once can't
    // both become it. Without a private folder the process runs on its own (true, logged).
    bool claim(const WindowMessage& message);
    bool claim(quint32 msg, quint32 wParam, quint32 lParam) { return claim({msg, wParam, lParam}); }

    // Only hands the message to the running instance; false when none runs or it can't be reached.
    bool send(const WindowMessage& message) const;

    // Where the running instance listens; empty when there is no private folder for it.
    QString socketPath() const { return m_socketPath; }

signals:
    void messageReceived(quint32 msg, quint32 wParam, quint32 lParam);

private:
    bool sendToRunningInstance(const WindowMessage& message) const;
    // Refuses (and clears away) a socket file there that is not this user's own socket.
    bool socketIsOurs() const;

    QString m_socketPath;
    MessageServer* m_server = nullptr;
};

} // namespace zyne
