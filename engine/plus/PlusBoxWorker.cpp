#include "PlusBoxWorker.h"

#include "ZynePlusCommandHelper.h"

#include <algorithm>

namespace zyne {

namespace {
bool isPortLighting(BoxJob::Kind kind) {
    return kind == BoxJob::Kind::Frame || kind == BoxJob::Kind::Lighting || kind == BoxJob::Kind::TurnOff ||
           kind == BoxJob::Kind::Radar;
}

// The waiting reports that decide whether `job` may take a waiting one's place: a frame looks at what
// the port was last told to show, a speed setting at anything else the port was last sent (a frame
// says nothing about the speed).
bool mattersTo(const BoxJob& job, const BoxJob& queued) {
    if (queued.port != job.port)
        return false;
    return job.kind == BoxJob::Kind::Frame ? isPortLighting(queued.kind) : queued.kind != BoxJob::Kind::Frame;
}
} // namespace

void placeBoxJob(std::deque<BoxJob>& waiting, BoxJob job) {
    // The speed poll comes more often than a slow box answers five reads: a poll while the port's
    // last one still waits adds nothing, as that one's answer will be as fresh.
    if (job.kind == BoxJob::Kind::SpeedRead &&
        std::any_of(waiting.begin(), waiting.end(), [&](const BoxJob& queued) {
            return queued.kind == BoxJob::Kind::SpeedRead && queued.port == job.port;
        }))
        return;
    if (job.kind == BoxJob::Kind::Frame || job.kind == BoxJob::Kind::FanSpeed) {
        const auto last = std::find_if(waiting.rbegin(), waiting.rend(),
                                       [&](const BoxJob& queued) { return mattersTo(job, queued); });
        if (last != waiting.rend() && last->kind == job.kind) {
            *last = std::move(job);
            return;
        }
    }
    auto at = waiting.end();
    if (job.kind == BoxJob::Kind::Frame) {
        // Polls only read: a frame passing them changes nothing a port shows or does.
        while (at != waiting.begin() && std::prev(at)->kind == BoxJob::Kind::SpeedRead &&
               job.posted - std::prev(at)->posted < kPollsYieldFor)
            --at;
    }
    waiting.insert(at, std::move(job));
}

void OpenOrder::waitForTurn(int box) {
    std::unique_lock lock(m_mutex);
    // A box before this one whose worker is still busy does not hold the discovery up for long.
    m_turn.wait_for(lock, kLongestWait, [&] { return m_opened >= box; });
}

void OpenOrder::opened(int box) {
    {
        std::lock_guard lock(m_mutex);
        m_opened = std::max(m_opened, box + 1);
    }
    m_turn.notify_all();
}

namespace {
// What the worker thread keeps of its box: the open device, if any, and how it has answered lately.
struct BoxDevice {
    BoxDevice(int index, QString name) : box(index), label(std::move(name)) {}

    int box;
    QString label;
    std::unique_ptr<HidDevice> device;
    BoxReplyWatch replies;

    BoxJobResult run(BoxJob& job) {
        BoxJobResult result;
        if (job.kind == BoxJob::Kind::Probe) {
            // The handle a box had before it was unplugged is dead: the probe starts afresh.
            device.reset();
            replies.reset();
            if (job.openOrder)
                job.openOrder->waitForTurn(box);
            device = hidBackend().open(kMakerVendorId, plusProductId(box));
            if (job.openOrder)
                job.openOrder->opened(box);
            result.opened = device != nullptr;
        }
        if (device) {
            result.exchange = exchangeReport(*device, job.report, result.reply,
                                             replies.replyTimeout(job.wait, kReplyTimeoutMs));
            // The probe only asks whether the box takes reports; its silence is not held against it.
            if (job.kind != BoxJob::Kind::Probe)
                replies.note(result.exchange, label);
        }
        result.replies = replies;
        result.job = std::move(job);
        return result;
    }
};
} // namespace

PlusBoxWorker::PlusBoxWorker(int boxNum, const QString& label)
    : m_worker([box = std::make_shared<BoxDevice>(boxNum, label)](BoxJob& job) { return box->run(job); },
               SerialWorker<BoxJob, BoxJobResult>::OnStop::FinishWaiting, "Plus box") {}

void PlusBoxWorker::post(BoxJob job) {
    std::vector<BoxJob> one;
    one.push_back(std::move(job));
    post(std::move(one));
}

void PlusBoxWorker::post(std::vector<BoxJob> jobs) {
    const auto now = std::chrono::steady_clock::now();
    m_worker.post([&jobs, now](std::deque<BoxJob>& waiting) {
        for (BoxJob& job : jobs) {
            job.posted = now;
            placeBoxJob(waiting, std::move(job));
        }
    });
}

} // namespace zyne
