#pragma once

#include <atomic>

namespace zyne {

// Lets a periodic request through to a worker thread only once the previous one has been taken
// up, so a worker slower than its timer (a box on a busy bus) never builds a backlog of ticks.
class TickGate {
public:
    // The sender's side: true when the request may be queued.
    bool admit() { return !m_pending.exchange(true); }
    // The worker's side, when it takes the request up.
    void taken() { m_pending.store(false); }

private:
    std::atomic<bool> m_pending{false};
};

} // namespace zyne
