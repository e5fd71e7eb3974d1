#include "StallNotifications.h"

#include "DesktopNotifier.h"
#include "StallAlert.h"
#include "UiTexts.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcMain)

namespace zyne {

namespace {
// More than any box's port count, so box and port fit one key.
constexpr int kPortsPerKey = 8;
} // namespace

StallNotifications::StallNotifications(DesktopNotifier* notifier, std::function<bool()> windowHidden,
                                       QObject* parent)
    : QObject(parent), m_notifier(notifier), m_windowHidden(std::move(windowHidden)) {
    connect(m_notifier, &DesktopNotifier::activated, this, [this](const QString& key) {
        bool ok = false;
        const int fan = key.toInt(&ok);
        if (ok)
            emit showBox(fan / kPortsPerKey);
    });
}

void StallNotifications::report(int box, int port, int rpm, int fanType, bool monitor) {
    const int key = box * kPortsPerKey + port;
    if (rpm > 0) {
        m_notified.remove(key);
        return;
    }
    const bool watchedFan =
        monitor && (fanType == StallAlert::kFanTypeFan || fanType == StallAlert::kFanTypeVela);
    if (!watchedFan || m_notified.contains(key) || !m_windowHidden())
        return;
    m_notified.insert(key);
    qCInfo(lcMain).nospace() << "stall notification: box " << box << ", fan " << port;
    m_notifier->notify(
        ui::VxZyneRainbowText::tr("A fan has stopped"),
        ui::VxZyneRainbowText::tr("Controller No. %1, fan %2 does not turn.").arg(box + 1).arg(port + 1),
        QString::number(key));
}

} // namespace zyne
