#include "DevicePaths.h"

#include "FanRecords.h"
#include "PlusReports.h"

#include <QLoggingCategory>
#include <QStringList>

Q_LOGGING_CATEGORY(lcDevices, "zyne.devices")

namespace zyne {

namespace {
QString idToken(const QString& path) {
    const QStringList parts = path.split(QLatin1Char('#'), Qt::SkipEmptyParts);
    return parts.size() < 2 ? QString() : parts.at(1);
}

QString productToken(std::uint16_t productId) {
    return QStringLiteral("VID_264A&PID_%1").arg(productId, 4, 16, QLatin1Char('0')).toUpper();
}

int boxFromToken(const QString& token, std::uint16_t (*productId)(int)) {
    for (int box = 0; box < kBoxCount; ++box) {
        if (token == productToken(productId(box))) {
            qCDebug(lcDevices) << boxLabel(box);
            return box;
        }
    }
    return kNoBox;
}
} // namespace

int plusBoxFromDevicePath(const QString& path) {
    return boxFromToken(idToken(path), plusProductId);
}

int classicBoxFromDevicePath(const QString& path) {
    return boxFromToken(idToken(path), classicProductId);
}

bool isAwtDevicePath(const QString& path) {
    if (idToken(path) != QLatin1String("VID_C216&PID_0102"))
        return false;
    qCDebug(lcDevices) << "Get AWT Controller";
    return true;
}

} // namespace zyne
