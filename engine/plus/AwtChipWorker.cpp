#include "AwtChipWorker.h"

#include <QLoggingCategory>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <iterator>
#include <mutex>
#include <thread>

Q_DECLARE_LOGGING_CATEGORY(lcPlus)

namespace zyne {

namespace {
constexpr auto kStopWait = std::chrono::seconds(2);
} // namespace

// Lives as long as the thread or the worker, whichever goes last.
struct AwtChipWorker::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<AwtJob> jobs;
    std::vector<AwtJobResult> done;
    bool stopping = false;
    bool stopped = false;
    std::shared_ptr<ChipLink> link;
};

namespace {
// `reply` is the thread's own buffer: only the bytes the chip answered are copied out.
AwtJobResult run(ChipLink& link, AwtJob job, std::vector<std::uint8_t>& reply) {
    AwtJobResult result;
    if (job.kind == AwtJob::Kind::Close) {
        result.status = link.close(job.handle);
    } else {
        unsigned int length = 0;
        result.status = link.comm(job.handle, job.frame.data(), static_cast<int>(job.frame.size()), &length,
                                  reply.data(), job.timeout);
        // A link that reports more than the buffer holds is not believed past the buffer.
        result.payload.assign(reply.begin(), reply.begin() + std::min<std::size_t>(length, reply.size()));
    }
    result.job = std::move(job);
    return result;
}
} // namespace

AwtChipWorker::AwtChipWorker(std::shared_ptr<ChipLink> link) : m_shared(std::make_shared<Shared>()) {
    m_shared->link = std::move(link);
    std::thread(loop, m_shared).detach();
}

AwtChipWorker::~AwtChipWorker() {
    std::unique_lock lock(m_shared->mutex);
    m_shared->stopping = true;
    m_shared->jobs.clear();
    m_shared->changed.notify_all();
    if (!m_shared->changed.wait_for(lock, kStopWait, [this] { return m_shared->stopped; }))
        qCWarning(lcPlus) << "AWT chip still busy at exit: its exchange is left to finish alone";
}

void AwtChipWorker::post(AwtJob job) {
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->jobs.push_back(std::move(job));
    }
    // Outside the lock, so the woken thread doesn't wait for it at once. Only the thread waits
    // while jobs are posted (the owner waits in its destructor alone).
    m_shared->changed.notify_one();
}

void AwtChipWorker::collect(std::vector<AwtJobResult>& results) {
    std::lock_guard lock(m_shared->mutex);
    std::move(m_shared->done.begin(), m_shared->done.end(), std::back_inserter(results));
    m_shared->done.clear();
}

void AwtChipWorker::loop(std::shared_ptr<Shared> shared) {
    std::vector<std::uint8_t> reply(kChipReplyCapacity);
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->changed.wait(lock, [&] { return shared->stopping || !shared->jobs.empty(); });
        if (shared->stopping)
            break;
        AwtJob job = std::move(shared->jobs.front());
        shared->jobs.pop_front();
        lock.unlock();
        AwtJobResult result = run(*shared->link, std::move(job), reply);
        lock.lock();
        if (!shared->stopping)
            shared->done.push_back(std::move(result));
    }
    shared->stopped = true;
    shared->changed.notify_all();
}

} // namespace zyne
