#pragma once

#include <QLoggingCategory>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <iterator>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

Q_DECLARE_LOGGING_CATEGORY(lcPlus)

namespace zyne {

// Runs the exchanges of one device on a thread of its own, one at a time in the order they were
// posted, so a device that is slow or silent never holds up the GUI thread. The runner owns the
// device (it lives as long as the thread), so the handle is only ever used by that thread. Results
// wait in the worker until the owner collects them on its next tick: no event per exchange.
template <typename Job, typename Result> class SerialWorker {
public:
    using Runner = std::function<Result(Job&)>;
    // What becomes of jobs still waiting when the owner lets go: a chip busy for minutes is
    // not waited for; reports that set a box's state still go out, within the stop wait.
    enum class OnStop { DropWaiting, FinishWaiting };
    static constexpr std::chrono::seconds kStopWait{2};

    SerialWorker(Runner runner, OnStop onStop, const char* deviceName)
        : m_shared(std::make_shared<Shared>()), m_onStop(onStop) {
        m_shared->runner = std::move(runner);
        m_shared->deviceName = deviceName;
        std::thread(loop, m_shared).detach();
    }
    // Waits at most kStopWait for the running exchange (and, when asked, the waiting ones); one the
    // device still holds is left to finish alone, and its thread closes the device after it.
    ~SerialWorker() {
        std::unique_lock lock(m_shared->mutex);
        m_shared->stopping = true;
        if (m_onStop == OnStop::DropWaiting)
            m_shared->jobs.clear();
        m_shared->changed.notify_all();
        if (!m_shared->changed.wait_for(lock, kStopWait, [this] { return m_shared->stopped; })) {
            m_shared->jobs.clear();
            qCWarning(lcPlus) << m_shared->deviceName
                              << "still busy at exit: its exchange is left to finish alone";
        }
    }
    SerialWorker(const SerialWorker&) = delete;
    SerialWorker& operator=(const SerialWorker&) = delete;

    void post(Job job) {
        post([&job](std::deque<Job>& waiting) { waiting.push_back(std::move(job)); });
    }
    // Lets `place` put a job among those still waiting (in place of one it makes pointless).
    void post(const std::function<void(std::deque<Job>&)>& place) {
        {
            std::lock_guard lock(m_shared->mutex);
            place(m_shared->jobs);
        }
        // Outside the lock, so the woken thread doesn't wait for it at once. Only the thread waits
        // while jobs are posted (the owner waits in its destructor alone).
        m_shared->changed.notify_one();
    }
    // Moves the results finished so far, in order, to the end of `results`.
    void collect(std::vector<Result>& results) {
        std::lock_guard lock(m_shared->mutex);
        std::move(m_shared->done.begin(), m_shared->done.end(), std::back_inserter(results));
        m_shared->done.clear();
    }
    // Jobs waiting or running, and results not collected yet.
    std::size_t outstanding() const {
        std::lock_guard lock(m_shared->mutex);
        return m_shared->jobs.size() + m_shared->done.size() + (m_shared->running ? 1 : 0);
    }

private:
    // Lives as long as the thread or the worker, whichever goes last.
    struct Shared {
        mutable std::mutex mutex;
        std::condition_variable changed;
        std::deque<Job> jobs;
        std::vector<Result> done;
        bool running = false;
        bool stopping = false;
        bool stopped = false;
        Runner runner;
        const char* deviceName = "";
    };

    static void loop(std::shared_ptr<Shared> shared) {
        std::unique_lock lock(shared->mutex);
        for (;;) {
            shared->changed.wait(lock, [&] { return shared->stopping || !shared->jobs.empty(); });
            if (shared->jobs.empty())
                break;
            Job job = std::move(shared->jobs.front());
            shared->jobs.pop_front();
            shared->running = true;
            lock.unlock();
            Result result = shared->runner(job);
            lock.lock();
            shared->running = false;
            if (!shared->stopping)
                shared->done.push_back(std::move(result));
        }
        // The device closes here, on the thread that used it, before the owner hears it stopped.
        shared->runner = nullptr;
        shared->stopped = true;
        shared->changed.notify_all();
    }

    std::shared_ptr<Shared> m_shared;
    const OnStop m_onStop;
};

} // namespace zyne
