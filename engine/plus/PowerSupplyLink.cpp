#include "PowerSupplyLink.h"

#include "ZynePlusCommandHelper.h"

#include <utility>

namespace zyne {

namespace {
using Verdict = PowerSupplyLink::Result::Verdict;

// What the worker thread keeps of the supply: the open device and how it has answered lately.
struct SupplyDevice {
    std::unique_ptr<HidDevice> device;
    // A supply that stops answering is not waited for, as a box would not be.
    BoxReplyWatch replies;

    Verdict drop(Verdict verdict) {
        device.reset();
        replies.reset();
        return verdict;
    }

    PowerSupplyLink::Result look() {
        PowerSupplyLink::Result result;
        result.kind = PowerSupplyLink::Job::Kind::Look;
        if (!device) {
            // Looked for now and then while missing: each look sees the devices as they are.
            hidBackend().listAfresh();
            device = hidBackend().open(kMakerVendorId, kPowerSupplyProductId);
        }
        if (!device) {
            result.verdict = Verdict::NotFound;
            return result;
        }
        PlusReply reply;
        if (exchangeReport(*device, psuframe::wake(), reply).written < 0) {
            result.verdict = drop(Verdict::TakesNoReports);
            return result;
        }
        const ExchangeResult query = exchangeReport(*device, psuframe::modelQuery(), reply);
        if (query.written < 0 || query.read < 0) {
            result.verdict = drop(Verdict::NoModelAnswer);
        } else if (query.read == 0) {
            result.verdict = Verdict::Silent;
        } else {
            result.verdict = Verdict::Model;
            result.model = psuframe::modelText(reply, query.read);
        }
        return result;
    }

    PowerSupplyLink::Result send(const PlusReport& report) {
        PowerSupplyLink::Result result;
        if (!device) {
            result.verdict = Verdict::Gone;
            return result;
        }
        PlusReply reply;
        const ExchangeResult sent = exchangeReport(
            *device, report, reply, replies.replyTimeout(BoxReplyWatch::Wait::UnlessMuted, kReplyTimeoutMs));
        if (sent.written < 0 || sent.read < 0) {
            result.verdict = drop(Verdict::Gone);
        } else {
            replies.note(sent, QStringLiteral("power supply"));
            result.verdict = Verdict::Sent;
        }
        return result;
    }
};
} // namespace

PowerSupplyLink::PowerSupplyLink()
    : m_worker(
          [supply = std::make_shared<SupplyDevice>()](Job& job) {
              return job.kind == Job::Kind::Look ? supply->look() : supply->send(job.report);
          },
          SerialWorker<Job, Result>::OnStop::FinishWaiting, "power supply") {}

void PowerSupplyLink::detect(std::function<void()> whenPresent) {
    m_whenPresent = std::move(whenPresent);
    if (!m_looking)
        post({Job::Kind::Look, {}});
}

bool PowerSupplyLink::ready() {
    if (isPresent())
        return true;
    // An open supply of another model stays as it is; a missing one is looked for again.
    if (m_open || m_looking || std::chrono::steady_clock::now() - m_lastLook < kRetryInterval)
        return false;
    post({Job::Kind::Look, {}});
    return false;
}

void PowerSupplyLink::send(const PlusReport& report) {
    if (isPresent())
        post({Job::Kind::Frame, report});
}

void PowerSupplyLink::post(Job job) {
    if (job.kind == Job::Kind::Look) {
        m_looking = true;
        m_lastLook = std::chrono::steady_clock::now();
    }
    m_worker.post(std::move(job));
    if (m_posted)
        m_posted();
}

void PowerSupplyLink::takeResults() {
    m_results.clear();
    m_worker.collect(m_results);
    for (const Result& result : m_results)
        take(result);
}

void PowerSupplyLink::take(const Result& result) {
    if (result.kind == Job::Kind::Frame) {
        // The worker has let go of a supply that is gone; this side says so once.
        if (result.verdict == Verdict::Gone && m_open)
            closed("is gone");
        return;
    }
    m_looking = false;
    m_lastLook = std::chrono::steady_clock::now();
    takeVerdict(result);
    // Taken out first: what it does may ask for another look.
    if (auto whenPresent = std::exchange(m_whenPresent, nullptr); whenPresent && isPresent())
        whenPresent();
}

void PowerSupplyLink::takeVerdict(const Result& result) {
    switch (result.verdict) {
    case Verdict::NotFound:
        qCDebug(lcPlus) << "power supply: none found";
        return;
    case Verdict::TakesNoReports:
        closed("does not take reports");
        return;
    case Verdict::NoModelAnswer:
        closed("does not answer the model query");
        return;
    case Verdict::Silent:
        // No answer is no verdict: keep what the last query said.
        m_open = true;
        qCWarning(lcPlus) << "power supply: no answer to the model query";
        return;
    default:
        break;
    }
    m_open = true;
    m_supported = m_models.accepts(result.model);
    qCDebug(lcPlus) << "power supply model:" << result.model.c_str() << "supported:" << m_supported;
}

void PowerSupplyLink::closed(const char* why) {
    qCWarning(lcPlus) << "power supply" << why << "- closed until it is found again";
    m_open = false;
    m_supported = false;
    m_lastLook = std::chrono::steady_clock::now();
}

} // namespace zyne
