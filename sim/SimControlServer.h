#pragma once

#include <QObject>

class QLocalServer;
class QLocalSocket;

namespace zyne::sim {

class SimBackend;

// Takes control commands for the simulated rig on a local socket, one per line, and answers each
// with "ok" or "error: ..." on a line of its own.
class SimControlServer : public QObject {
    Q_OBJECT
public:
    SimControlServer(SimBackend& backend, const QString& socketPath, QObject* parent = nullptr);
    bool isListening() const;
    QString errorString() const;

private:
    void acceptConnections();
    void answerLines(QLocalSocket* socket);

    SimBackend& m_backend;
    QLocalServer* m_server;
};

} // namespace zyne::sim
