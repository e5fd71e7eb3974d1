#include "PowerSupplyApp.h"

#include "MobileFrames.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <atomic>

namespace zyne {

namespace {
std::atomic<int> g_powerType{PowerTypeUnknown};

// Indented JSON (keys sorted) folded onto one line, as the application expects it.
QString message(int kind, const QJsonObject& data) {
    const QJsonObject object{{QStringLiteral("command"), QString::number(kind)},
                             {QStringLiteral("Data"), data}};
    const QString oneLine =
        QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)).simplified();
    return QString::fromLatin1(encodeFrame(oneLine.toUtf8()));
}
} // namespace

int powerTypeFromAnnouncement(const QByteArray& text) {
    const QByteArray name = text.split('&').constFirst().split('!').constFirst();
    if (name == "VxPower")
        return PowerTypePlain;
    if (name == "VxPower_12LED")
        return PowerTypeRing;
    return PowerTypeUnknown;
}

int powerType() {
    return g_powerType.load();
}

void setPowerType(int type) {
    g_powerType.store(type);
}

QString powerSupplyLightMessage() {
    return message(1, {{QStringLiteral("Light"), QStringLiteral("0")}});
}

QString powerSupplyLightModeMessage(int classicLightMode) {
    static const char* const mapped[] = {"1", "2", "4"};
    const bool known = classicLightMode >= 0 && classicLightMode <= 2;
    return message(2, {{QStringLiteral("LightMode"), QLatin1String(known ? mapped[classicLightMode] : "0")}});
}

QString powerSupplyColourMessage(int red, int green, int blue, float brightness) {
    return message(3, {{QStringLiteral("rColor"), QString::number(red)},
                       {QStringLiteral("gColor"), QString::number(green)},
                       {QStringLiteral("bColor"), QString::number(blue)},
                       {QStringLiteral("Brightness"), QString::number(double(brightness * 100), 'g', 6)}});
}

QString powerSupplyDefaultMessage() {
    return message(3, {{QStringLiteral("setDefault"), QStringLiteral("00")}});
}

} // namespace zyne
