#pragma once

#include "WindowMessage.h"

#include <QObject>
#include <QString>

namespace zyne {

class MessageServer;

// The per-user stand-in for finding the running instance by its window title and sending it a
// private window message (msg, wParam, lParam). Which process is the running instance is decided
// by a lock it holds on a file in the settings folder, so neither a busy socket nor a folder
// someone else prepared can make a second instance write the same settings. Messages go over a
// socket in a folder only this user can reach (see RuntimeFolder.h).
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The lock is taken in the settings folder.
    explicit SingleInstance(const QString& windowTitle, QObject* parent = nullptr);
    SingleInstance(const QString& windowTitle, const QString& lockFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // When another process holds the lock, hands it the message and returns false (also when it
    // can't be reached: logged). Otherwise this process becomes the running instance, listens for
    // messages and true is returned. Without a private folder for the socket it runs without
    // listening (logged).
    bool claim(const WindowMessage& message);
    bool claim(quint32 msg, quint32 wParam, quint32 lParam) { return claim({msg, wParam, lParam}); }
    // After a claim that returned false: whether the running instance took the message.
    bool handedOver() const { return m_handedOver; }

    // Only hands the message to the running instance; false when none runs or it can't be reached.
    bool send(const WindowMessage& message) const;

    // Where the running instance listens; empty when there is no private folder for it.
    QString socketPath() const { return m_socketPath; }

signals:
    void messageReceived(quint32 msg, quint32 wParam, quint32 lParam);

private:
    enum class Lock { Taken, HeldElsewhere, Unavailable };
    Lock takeInstanceLock();
    bool sendToRunningInstance(const WindowMessage& message) const;
    // Whether the socket file there is this user's own socket; anything else is not talked to.
    bool socketIsOurs() const;

    QString m_socketPath;
    QString m_lockPath;
    int m_lockFd = -1;
    bool m_handedOver = false;
    MessageServer* m_server = nullptr;
};

} // namespace zyne
