#pragma once

#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcPlus)

namespace zyne {

struct ExchangeResult {
    int written = -1;
    int read = -1;
    int drained = 0; // late replies to earlier reports found before this one went out
};

// How one box has answered lately, so a dead or mute box neither floods the log nor holds up the
// GUI thread on every report. Each kind of failure is logged once until the box recovers.
class BoxReplyWatch {
public:
    using LogCategory = const QLoggingCategory& (*)();
    // Lines go to the engine's own log category.
    explicit BoxReplyWatch(LogCategory log = lcPlus) : m_log(log) {}

    // After this many reports in a row without a reply, the box's replies are no longer waited for.
    static constexpr int kMuteAfterUnanswered = 3;

    enum class Wait {
        UnlessMuted, // routine reports: a muted box is not waited for
        Always,      // rare, user-driven queries whose answer is the point
    };

    // How long the read after the next write may wait.
    int replyTimeout(Wait wait, int fullTimeoutMs) const;
    // Takes the outcome of one exchange; label names the box in log lines.
    void note(const ExchangeResult& result, const QString& label);
    void reset() { *this = BoxReplyWatch(m_log); }

    bool isMuted() const { return m_unanswered >= kMuteAfterUnanswered; }
    int unansweredReports() const { return m_unanswered; }

private:
    void countUnanswered(const QString& label);

    LogCategory m_log;
    int m_unanswered = 0;
    bool m_writesFailing = false;
    bool m_readsFailing = false;
};

} // namespace zyne
