#include "DeviceAccessCheck.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcMain)

namespace zyne {

QStringList DeviceAccessCheck::check(const std::vector<MakerDevice>& devices) {
    QSet<QString> refused;
    QStringList newlyRefused;
    for (const MakerDevice& device : devices) {
        if (device.node.access != NodeAccess::Denied)
            continue;
        const QString& node = device.node.info.path;
        refused.insert(node);
        if (m_refused.contains(node))
            continue;
        newlyRefused << node;
        qCWarning(lcMain).noquote().nospace()
            << device.name << " found at " << node << ", but access was refused (" << device.node.error
            << "): install the udev rule 60-vx-zyne-plus-rgb.rules (README, section \"The udev rule\") "
               "and plug the device in again";
    }
    m_refused = refused;
    return newlyRefused;
}

} // namespace zyne
