#include "ClassicPowerSync.h"

#include "ClassicReports.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace zyne {

namespace {
// The power supply knows the classic modes by its own numbers.
QString powerSupplyLightMode(int lightMode) {
    switch (lightMode) {
    case ClassicSteady:
        return QStringLiteral("1");
    case ClassicCycle:
        return QStringLiteral("2");
    case ClassicBlink:
        return QStringLiteral("4");
    default:
        return QStringLiteral("0");
    }
}

QJsonObject syncData(ClassicSyncKind kind, const ClassicFanState& fan) {
    switch (kind) {
    case ClassicSyncKind::Light:
        return {{QStringLiteral("Light"), QStringLiteral("0")}};
    case ClassicSyncKind::LightMode:
        return {{QStringLiteral("LightMode"), powerSupplyLightMode(fan.lightMode)}};
    case ClassicSyncKind::Colour:
        return {{QStringLiteral("rColor"), QString::number(fan.RColor)},
                {QStringLiteral("gColor"), QString::number(fan.GColor)},
                {QStringLiteral("bColor"), QString::number(fan.BColor)},
                {QStringLiteral("Brightness"), QString::number(double(fan.Bright) * 100.0, 'g', 6)}};
    }
    return {};
}
} // namespace

QString classicSyncMessage(ClassicSyncKind kind, const ClassicFanState& firstFan) {
    const QJsonObject message{{QStringLiteral("command"), QString::number(static_cast<int>(kind))},
                              {QStringLiteral("Data"), syncData(kind, firstFan)}};
    // The application reads one line: the indented form with every run of blanks made one.
    const QString line =
        QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Indented)).simplified();
    return QString::fromLatin1(line.toUtf8().toBase64()) + QLatin1Char('&');
}

} // namespace zyne
