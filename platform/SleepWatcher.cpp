#include "SleepWatcher.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSleep, "zyne.platform")

namespace zyne {

SleepWatcher::SleepWatcher(QObject* parent) : QObject(parent) {}

bool SleepWatcher::start(const QDBusConnection& bus) {
    // Only logind itself (the owner of its well-known name) is listened to.
    const bool listening =
        bus.isConnected() &&
        QDBusConnection(bus).connect(QStringLiteral("org.freedesktop.login1"),
                                     QStringLiteral("/org/freedesktop/login1"),
                                     QStringLiteral("org.freedesktop.login1.Manager"),
                                     QStringLiteral("PrepareForSleep"), this, SLOT(prepareForSleep(bool)));
    if (!listening)
        qCWarning(lcSleep) << "no system bus: lighting is not re-sent after the machine wakes from sleep";
    return listening;
}

void SleepWatcher::prepareForSleep(bool sleeping) {
    qCDebug(lcSleep) << "PrepareForSleep" << sleeping;
    if (!sleeping)
        emit resumed();
}

} // namespace zyne
