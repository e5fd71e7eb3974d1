#include "ZyneCommandHelper.h"

#include "ApplicationSettings.h"
#include "ClassicReports.h"
#include "PresenceString.h"
#include "ZynePlusCommandHelper.h"

#include <QDeadlineTimer>
#include <QThread>

Q_LOGGING_CATEGORY(lcClassic, "zyne.classic")

namespace zyne {

// Nothing is opened here: the engine is made on the GUI thread and moved to its own, where the
// first getZyneController() finds the boxes.
ZyneCommandHelper::ZyneCommandHelper(QObject* parent)
    : QObject(parent), m_colourOrder(ApplicationSettings::get().classicColorOrder) {}

ZyneCommandHelper::~ZyneCommandHelper() = default;

bool ZyneCommandHelper::admitTick(Tick tick) {
    switch (tick) {
    case Tick::SpeedPoll:
        return m_speedPollGate.admit();
    case Tick::Music:
        return m_musicGate.admit();
    case Tick::Random:
        return m_randomGate.admit();
    }
    return false;
}

bool ZyneCommandHelper::checkPort(const char* operation, int boxNum, int fanNum) const {
    if (isBoxIndex(boxNum) && isClassicPortIndex(fanNum))
        return true;
    qCWarning(lcClassic) << operation << "ignored: no box" << boxNum << "port" << fanNum;
    return false;
}

bool ZyneCommandHelper::isFound(int boxNum) const {
    return classicPresenceStr().isPresent(boxNum) && box(boxNum).isConnected;
}

ExchangeResult ZyneCommandHelper::exchange(int boxNum, const PlusReport& report, PlusReply* reply,
                                           BoxReplyWatch::Wait wait) {
    if (!isBoxIndex(boxNum) || !box(boxNum).isConnected || !box(boxNum).handle)
        return {};
    if (QThread::currentThread()->isInterruptionRequested()) {
        if (!m_loggedStopping)
            qCDebug(lcClassic) << "stopping: no more reports are sent";
        m_loggedStopping = true;
        return {};
    }
    ClassicBox& target = record(boxNum);
    PlusReply scratch;
    const ExchangeResult result = exchangeReport(*target.handle, report, reply ? *reply : scratch,
                                                 target.replies.replyTimeout(wait, kReplyTimeoutMs));
    target.replies.note(result, boxLabel(boxNum));
    return result;
}

void ZyneCommandHelper::pause(int ms) {
    const QDeadlineTimer deadline(ms);
    QThread* thread = QThread::currentThread();
    while (!deadline.hasExpired() && !thread->isInterruptionRequested())
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(10, deadline.remainingTime())));
}

} // namespace zyne
