#pragma once

#include <QDBusConnection>
#include <QObject>

namespace zyne {

// Tells when the machine wakes from sleep: logind's PrepareForSleep(false) on the system bus.
// Controllers may have lost their lighting while the machine slept.
class SleepWatcher : public QObject {
    Q_OBJECT
public:
    explicit SleepWatcher(QObject* parent = nullptr);

    // Listens on the bus (the system bus unless a test gives its own); false (logged) without one.
    bool start(const QDBusConnection& bus = QDBusConnection::systemBus());

signals:
    void resumed();

private slots:
    void prepareForSleep(bool sleeping);
};

} // namespace zyne
