#include "PowerSupplyLink.h"

#include "ZynePlusCommandHelper.h"

namespace zyne {

bool PowerSupplyLink::detect() {
    m_lastLook = std::chrono::steady_clock::now();
    if (!m_device)
        m_device = hidBackend().open(kMakerVendorId, kPowerSupplyProductId);
    if (!m_device) {
        qCDebug(lcPlus) << "power supply: none found";
        return false;
    }
    PlusReply reply;
    if (exchangeReport(*m_device, psuframe::wake(), reply).written < 0) {
        close("does not take reports");
        return false;
    }
    const ExchangeResult query = exchangeReport(*m_device, psuframe::modelQuery(), reply);
    if (query.written < 0 || query.read < 0) {
        close("does not answer the model query");
        return false;
    }
    if (query.read == 0) {
        // No answer is no verdict: keep what the last query said.
        qCWarning(lcPlus) << "power supply: no answer to the model query";
        return isPresent();
    }
    const std::string model = psuframe::modelText(reply, query.read);
    m_supported = m_models.accepts(model);
    qCDebug(lcPlus) << "power supply model:" << model.c_str() << "supported:" << m_supported;
    return m_supported;
}

bool PowerSupplyLink::ready() {
    if (isPresent())
        return true;
    // An open supply of another model stays as it is; a missing one is looked for again.
    if (m_device || std::chrono::steady_clock::now() - m_lastLook < kRetryInterval)
        return false;
    return detect();
}

void PowerSupplyLink::send(const PlusReport& report) {
    if (!isPresent())
        return;
    PlusReply reply;
    const ExchangeResult result = exchangeReport(
        *m_device, report, reply, m_replies.replyTimeout(BoxReplyWatch::Wait::UnlessMuted, kReplyTimeoutMs));
    if (result.written < 0 || result.read < 0)
        close("is gone");
    else
        m_replies.note(result, QStringLiteral("power supply"));
}

void PowerSupplyLink::close(const char* why) {
    qCWarning(lcPlus) << "power supply" << why << "- closed until it is found again";
    m_device.reset();
    m_supported = false;
    m_replies.reset();
    m_lastLook = std::chrono::steady_clock::now();
}

} // namespace zyne
