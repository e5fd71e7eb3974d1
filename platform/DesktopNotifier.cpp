#include "DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QLoggingCategory>
#include <QStringList>
#include <QVariantMap>

Q_LOGGING_CATEGORY(lcNotify, "zyne.notify")

namespace zyne {

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
// Shown until the user or the server closes it.
constexpr int kServerDefaultTimeout = -1;
} // namespace

DesktopNotifier::DesktopNotifier(Fallback fallback, QString clickLabel, QObject* parent)
    : QObject(parent), m_fallback(std::move(fallback)), m_clickLabel(std::move(clickLabel)) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qCInfo(lcNotify).noquote() << "no session bus (" + bus.lastError().message() +
                                          "): notifications go to the tray";
        m_saidFallback = true;
        return;
    }
    m_service = new QDBusInterface(kService, kPath, kService, bus, this);
    bus.connect(kService, kPath, kService, QStringLiteral("ActionInvoked"), this,
                SLOT(onActionInvoked(uint, QString)));
    bus.connect(kService, kPath, kService, QStringLiteral("NotificationClosed"), this,
                SLOT(onClosed(uint, uint)));
}

DesktopNotifier::~DesktopNotifier() = default;

void DesktopNotifier::notify(const QString& title, const QString& text, const QString& key) {
    if (!m_service) {
        useFallback(title, text, QString());
        return;
    }
    // "default" is the action of a click on the notification itself.
    const QStringList actions{QStringLiteral("default"), m_clickLabel};
    const QDBusPendingCall call = m_service->asyncCall(
        QStringLiteral("Notify"), QStringLiteral("Zyne Plus RGB"), uint(0),
        QStringLiteral("vx-zyne-plus-rgb"), title, text, actions, QVariantMap(), kServerDefaultTimeout);
    auto* watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, title, text, key](QDBusPendingCallWatcher* w) {
                const QDBusPendingReply<uint> reply = *w;
                w->deleteLater();
                if (reply.isError()) {
                    useFallback(title, text, reply.error().message());
                    return;
                }
                m_keys.insert(reply.value(), key);
                qCDebug(lcNotify) << "notification" << reply.value() << "shown:" << title;
            });
}

void DesktopNotifier::useFallback(const QString& title, const QString& text, const QString& why) {
    if (!m_saidFallback && !why.isEmpty())
        qCInfo(lcNotify).noquote() << "notification service unavailable (" + why +
                                          "): notifications go to the tray";
    m_saidFallback = true;
    if (m_fallback)
        m_fallback(title, text);
}

void DesktopNotifier::onActionInvoked(uint id, const QString& action) {
    const auto key = m_keys.constFind(id);
    if (key == m_keys.constEnd())
        return; // another program's notification
    qCDebug(lcNotify) << "notification" << id << "clicked:" << action;
    emit activated(*key);
}

void DesktopNotifier::onClosed(uint id, uint) {
    m_keys.remove(id);
}

} // namespace zyne
