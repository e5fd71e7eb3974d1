#include "HidrawInterfaceName.h"

#include <QRegularExpression>
#include <QStringList>

namespace zyne {

QString hidrawInterfaceName(const QString& devpath) {
    // The HID node is named by the kernel: four hex digits each for bus, vendor and product.
    static const QRegularExpression hidNode(
        QStringLiteral("^[0-9A-Fa-f]{4}:([0-9A-Fa-f]{4}):([0-9A-Fa-f]{4})\\.[0-9A-Fa-f]+$"));
    const QStringList parts = devpath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return {};
    for (int i = parts.size() - 1; i >= 0; --i) {
        const QRegularExpressionMatch match = hidNode.match(parts.at(i));
        if (!match.hasMatch())
            continue;
        return QStringLiteral("\\\\?\\HID#VID_%1&PID_%2#%3#{4d1e55b2-f16f-11cf-88cb-001111000030}")
            .arg(match.captured(1).toUpper(), match.captured(2).toUpper(), parts.last());
    }
    return {};
}

} // namespace zyne
