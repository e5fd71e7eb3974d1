#include "HidrawInterfaceName.h"

#include <QRegularExpression>
#include <QStringList>

namespace zyne {

namespace {
// The HID node as the kernel names it: four hex digits each for bus, vendor and product.
QRegularExpressionMatch hidNode(const QStringList& parts) {
    static const QRegularExpression node(
        QStringLiteral("^[0-9A-Fa-f]{4}:([0-9A-Fa-f]{4}):([0-9A-Fa-f]{4})\\.[0-9A-Fa-f]+$"));
    for (int i = parts.size() - 1; i >= 0; --i) {
        QRegularExpressionMatch match = node.match(parts.at(i));
        if (match.hasMatch())
            return match;
    }
    return {};
}
} // namespace

QString hidrawInterfaceName(const QString& devpath) {
    const QStringList parts = devpath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QRegularExpressionMatch match = hidNode(parts);
    if (!match.hasMatch())
        return {};
    return QStringLiteral("\\\\?\\HID#VID_%1&PID_%2#%3#{4d1e55b2-f16f-11cf-88cb-001111000030}")
        .arg(match.captured(1).toUpper(), match.captured(2).toUpper(), parts.last());
}

bool hidIdsFromDevpath(const QString& devpath, quint16* vendorId, quint16* productId) {
    const QRegularExpressionMatch match = hidNode(devpath.split(QLatin1Char('/'), Qt::SkipEmptyParts));
    if (!match.hasMatch())
        return false;
    *vendorId = static_cast<quint16>(match.captured(1).toUInt(nullptr, 16));
    *productId = static_cast<quint16>(match.captured(2).toUInt(nullptr, 16));
    return true;
}

} // namespace zyne
