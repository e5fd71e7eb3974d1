#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class QDBusInterface;

namespace zyne {

// Desktop notifications through the freedesktop notification service on the session bus. Where
// there is no session bus or no service answers, the fallback shows the message (the tray's
// balloon); either is said once in the log. A click on a notification comes back as activated().
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    using Fallback = std::function<void(const QString& title, const QString& text)>;

    // clickLabel names the click on a notification, where the desktop shows it.
    DesktopNotifier(Fallback fallback, QString clickLabel, QObject* parent = nullptr);
    ~DesktopNotifier() override;

    // `key` comes back with activated() when the user clicks the notification. Never blocks.
    void notify(const QString& title, const QString& text, const QString& key);

signals:
    void activated(const QString& key);

private slots:
    void onActionInvoked(uint id, const QString& action);
    void onClosed(uint id, uint reason);

private:
    void useFallback(const QString& title, const QString& text, const QString& why);

    Fallback m_fallback;
    QString m_clickLabel;
    QDBusInterface* m_service = nullptr;
    // Notification id -> key, while the notification is up.
    QHash<uint, QString> m_keys;
    bool m_saidFallback = false;
};

} // namespace zyne
