#include "AwtChipWorker.h"

#include <QLoggingCategory>
#include <QMetaObject>

#include <chrono>
#include <condition_variable>
#include <deque>
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
    bool stopping = false;
    bool stopped = false;
    AwtChipWorker* owner = nullptr; // cleared when the worker goes; guarded by mutex
    std::shared_ptr<ChipLink> link;
};

namespace {
AwtJobResult run(ChipLink& link, AwtJob job) {
    AwtJobResult result;
    if (job.kind == AwtJob::Kind::Close) {
        result.status = link.close(job.handle);
    } else {
        std::vector<std::uint8_t> reply(kChipReplyCapacity);
        unsigned int length = 0;
        result.status = link.comm(job.handle, job.frame.data(), static_cast<int>(job.frame.size()), &length,
                                  reply.data(), job.timeout);
        // A link that reports more than the buffer holds is not believed past the buffer.
        reply.resize(std::min<std::size_t>(length, reply.size()));
        result.payload = std::move(reply);
    }
    result.job = std::move(job);
    return result;
}
} // namespace

AwtChipWorker::AwtChipWorker(std::shared_ptr<ChipLink> link, QObject* parent)
    : QObject(parent), m_shared(std::make_shared<Shared>()) {
    qRegisterMetaType<AwtJobResult>();
    m_shared->owner = this;
    m_shared->link = std::move(link);
    std::thread(loop, m_shared).detach();
}

AwtChipWorker::~AwtChipWorker() {
    std::unique_lock lock(m_shared->mutex);
    m_shared->owner = nullptr;
    m_shared->stopping = true;
    m_shared->jobs.clear();
    m_shared->changed.notify_all();
    if (!m_shared->changed.wait_for(lock, kStopWait, [this] { return m_shared->stopped; }))
        qCWarning(lcPlus) << "AWT chip still busy at exit: its exchange is left to finish alone";
}

void AwtChipWorker::post(AwtJob job) {
    std::lock_guard lock(m_shared->mutex);
    m_shared->jobs.push_back(std::move(job));
    m_shared->changed.notify_all();
}

void AwtChipWorker::loop(std::shared_ptr<Shared> shared) {
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->changed.wait(lock, [&] { return shared->stopping || !shared->jobs.empty(); });
        if (shared->stopping)
            break;
        AwtJob job = std::move(shared->jobs.front());
        shared->jobs.pop_front();
        lock.unlock();
        AwtJobResult result = run(*shared->link, std::move(job));
        lock.lock();
        // Posted under the lock, so the owner cannot go while the result is on its way.
        if (AwtChipWorker* owner = shared->owner) {
            QMetaObject::invokeMethod(
                owner, [owner, result = std::move(result)] { emit owner->finished(result); },
                Qt::QueuedConnection);
        }
    }
    shared->stopped = true;
    shared->changed.notify_all();
}

} // namespace zyne
