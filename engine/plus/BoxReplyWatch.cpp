#include "BoxReplyWatch.h"

namespace zyne {

int BoxReplyWatch::replyTimeout(Wait wait, int fullTimeoutMs) const {
    return wait == Wait::UnlessMuted && isMuted() ? 0 : fullTimeoutMs;
}

void BoxReplyWatch::note(const ExchangeResult& result, const QString& label) {
    if (result.written < 0) {
        if (!m_writesFailing)
            qCWarning(m_log).noquote() << label << "write failed: the device did not take the report"
                                       << "(not logged again until it takes one)";
        m_writesFailing = true;
        // Nothing went out, so nothing will come back: this report is as unanswered as a lost one.
        countUnanswered(label);
        return;
    }
    if (m_writesFailing)
        qCInfo(m_log).noquote() << label << "takes reports again";
    m_writesFailing = false;

    if (result.read < 0) {
        if (!m_readsFailing)
            qCWarning(m_log).noquote() << label << "read failed: the device is gone"
                                       << "(not logged again until it answers)";
        m_readsFailing = true;
        countUnanswered(label);
    } else if (result.read > 0 || result.drained > 0) {
        if (isMuted() || m_readsFailing)
            qCInfo(m_log).noquote() << label << "answers again";
        m_unanswered = 0;
        m_readsFailing = false;
    } else {
        countUnanswered(label);
    }
}

void BoxReplyWatch::countUnanswered(const QString& label) {
    // A muted box stays muted until it answers; counting on would only overflow one day.
    if (isMuted())
        return;
    if (++m_unanswered == kMuteAfterUnanswered)
        qCWarning(m_log).noquote() << label << "does not answer: its replies are no longer waited for";
}

} // namespace zyne
