#pragma once

#include "MakerDevices.h"

#include <QObject>
#include <QThread>

#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace zyne {

// The system's list of the devices this program drives. It is read on a thread of its own (the
// walk opens every node to check access, which must not hold the window) and once per change:
// every check that needs the list uses the same reading.
class DeviceList : public QObject {
    Q_OBJECT
public:
    using Use = std::function<void(const std::vector<MakerDevice>&)>;

    explicit DeviceList(QObject* parent = nullptr);
    // Waits for a reading still running: it is short and never blocks on a node.
    ~DeviceList() override;

    // Something was plugged in, removed or woke up: read the list again. Changes that come while
    // a reading runs collapse into one more reading after it.
    void refresh();
    // Runs `use` on the GUI thread with a list read after the last refresh: at once when there is
    // one, else when it is in. A job asked for again before then runs once, as last asked.
    void whenCurrent(const std::string& job, Use use);
    // The last list read; empty before the first.
    const std::vector<MakerDevice>& current() const { return m_current; }
    bool isCurrent() const { return m_haveCurrent && !m_reading; }

signals:
    // A list was read and every waiting job has run with it.
    void listed();

private:
    void startReading();
    void takeReading();
    void receive(std::vector<MakerDevice> devices);

    QThread m_thread;
    QObject* m_reader = nullptr;
    std::vector<MakerDevice> m_current;
    bool m_haveCurrent = false;
    bool m_reading = false;
    bool m_readAgain = false;
    // The reading thread leaves its list here. The lock makes the hand-over visible to the
    // ThreadSanitizer pass, which cannot see the lock inside Qt's event queue.
    std::mutex m_handOverMutex;
    std::vector<MakerDevice> m_handOver;
    // In the order first asked for.
    std::vector<std::pair<std::string, Use>> m_waiting;
};

} // namespace zyne
