#include "AwtChipWorker.h"

#include <algorithm>

namespace zyne {

namespace {
// `reply` is the thread's own buffer: only the bytes the chip answered are copied out.
AwtJobResult run(ChipLink& link, AwtJob& job, std::vector<std::uint8_t>& reply) {
    AwtJobResult result;
    if (job.kind == AwtJob::Kind::Open) {
        // The library lists the HID devices on every open.
        job.handle = link.open(job.deviceName);
    } else if (job.kind == AwtJob::Kind::Close) {
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

AwtChipWorker::AwtChipWorker(std::shared_ptr<ChipLink> link)
    : m_worker([link = std::move(link), reply = std::vector<std::uint8_t>(kChipReplyCapacity)](
                   AwtJob& job) mutable { return run(*link, job, reply); },
               SerialWorker<AwtJob, AwtJobResult>::OnStop::DropWaiting, "AWT chip") {}

} // namespace zyne
