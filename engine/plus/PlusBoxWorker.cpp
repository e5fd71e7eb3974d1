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
    waiting.push_back(std::move(job));
}

PlusBoxWorker::PlusBoxWorker(std::unique_ptr<HidDevice> device, const QString& label)
    : m_worker(
          [device = std::shared_ptr<HidDevice>(std::move(device)), label,
           replies = BoxReplyWatch()](BoxJob& job) mutable {
              BoxJobResult result;
              result.exchange = exchangeReport(*device, job.report, result.reply,
                                               replies.replyTimeout(job.wait, kReplyTimeoutMs));
              // The probe only asks whether the box takes reports; its silence is not held against it.
              if (job.kind != BoxJob::Kind::Probe)
                  replies.note(result.exchange, label);
              result.replies = replies;
              result.job = std::move(job);
              return result;
          },
          SerialWorker<BoxJob, BoxJobResult>::OnStop::FinishWaiting, "Plus box") {}

void PlusBoxWorker::post(BoxJob job) {
    m_worker.post([&job](std::deque<BoxJob>& waiting) { placeBoxJob(waiting, std::move(job)); });
}

} // namespace zyne
