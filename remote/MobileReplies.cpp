#include "MobileReplies.h"

#include "SettingsText.h"

#include <QJsonDocument>

namespace zyne {

namespace {
QString flags(const std::array<RainbowFanState, kPlusPortCount>& ports) {
    QString text;
    for (const RainbowFanState& port : ports)
        text += port.Monitor ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

const QString kResType = QStringLiteral("ResType");
} // namespace

QJsonObject deviceListReply(const BoxFanTypes& fanTypes, const QString& plusPresence,
                            const QString& classicPresence) {
    const auto present = [](const QString& presence, int box) {
        return box < presence.size() && presence.at(box) == QLatin1Char('1');
    };
    QJsonObject reply;
    for (int box = 0; box < kBoxCount; ++box) {
        QString types;
        for (int type : fanTypes[std::size_t(box)])
            types += QString::number(type);
        const char* boxType = present(plusPresence, box) ? "1" : present(classicPresence, box) ? "2" : "0";
        reply.insert(QStringLiteral("Box%1").arg(box + 1),
                     QJsonObject{{QStringLiteral("fanType"), types},
                                 {QStringLiteral("boxType"), QLatin1String(boxType)}});
    }
    reply.insert(kResType, 9);
    return reply;
}

QJsonObject profileReply(const std::array<RainbowFanState, kPlusPortCount>& ports, int currentProfile,
                         bool withPortDetails) {
    const RainbowFanState& port = ports[0];
    const auto number = [](int value) { return QString::number(value); };
    QJsonObject fan{
        {QStringLiteral("RColor"), joinedList(port.RColor, number)},
        {QStringLiteral("GColor"), joinedList(port.GColor, number)},
        {QStringLiteral("BColor"), joinedList(port.BColor, number)},
        {QStringLiteral("Bright"), joinedList(port.Bright, brightnessText)},
        {QStringLiteral("fanSpeed"), port.Speed_Per},
        {QStringLiteral("fanSpeed_Num"), port.Speed_Num},
        {QStringLiteral("fanSpeedMode"), port.SpeedMode},
        {QStringLiteral("colorMode"), port.colorMode},
        {QStringLiteral("lightMode"), port.lightMode},
        {QStringLiteral("lightSpeed"), port.lightSpeed},
        {QStringLiteral("isTurnOffLed"), port.isTurnOffLed},
    };
    if (withPortDetails) {
        fan.insert(QStringLiteral("fanType"), port.FanType);
        fan.insert(QStringLiteral("isOpenFan"), flags(ports));
    }
    return {{QStringLiteral("Fan1"), fan}, {kResType, 15}, {QStringLiteral("Profile"), currentProfile}};
}

QJsonObject classicStatusReply(const ClassicFans& fans, int profile) {
    QJsonObject reply{
        {kResType, 15}, {QStringLiteral("DeviceType"), 0}, {QStringLiteral("Profile"), profile}};
    for (int i = 0; i < kClassicFanCount; ++i) {
        const ClassicFanState& fan = fans[std::size_t(i)];
        reply.insert(QStringLiteral("Fan%1").arg(i + 1),
                     QJsonObject{
                         {QStringLiteral("RColor"), QString::number(fan.RColor)},
                         {QStringLiteral("GColor"), QString::number(fan.GColor)},
                         {QStringLiteral("BColor"), QString::number(fan.BColor)},
                         {QStringLiteral("Bright"), brightnessText(fan.Bright)},
                         {QStringLiteral("fanSpeed"), fan.Speed},
                         {QStringLiteral("fanSpeedMode"), fan.SpeedMode},
                         {QStringLiteral("lightMode"), fan.lightMode},
                         {QStringLiteral("isTurnOffLed"), fan.isTurnOff},
                         {QStringLiteral("isOpenFan"), fan.Monitor},
                     });
    }
    return reply;
}

QJsonObject successReply(int resType, bool success) {
    return {{kResType, resType}, {QStringLiteral("isSuccess"), success ? 1 : 0}};
}

std::optional<int> voiceDemoEffect(const QString& voice) {
    static const std::array<QStringList, 9> phrases{{
        {QStringLiteral("Hello VX"), QStringLiteral("hello zentravolta")},
        {QStringLiteral("Hello Intel")},
        {QStringLiteral("Hello AMD")},
        {QStringLiteral("Hello Nvidia")},
        {QStringLiteral("Hello ROG"), QStringLiteral("Hello ASUS")},
        {QStringLiteral("Hello Gigabyte"), QStringLiteral("Gigabyte")},
        {QStringLiteral("Hello MSI"), QStringLiteral("MSI")},
        {QStringLiteral("Welcome to CES"), QStringLiteral("CES"), QStringLiteral("123"),
         QStringLiteral("one two three")},
        {QStringLiteral("VX number one"), QStringLiteral("VX No.1")},
    }};
    const QString spoken = voice.trimmed();
    for (int effect = 0; effect < int(phrases.size()); ++effect) {
        if (voice.contains(QStringLiteral("voice%1").arg(effect), Qt::CaseInsensitive))
            return effect;
        for (const QString& phrase : phrases[std::size_t(effect)]) {
            if (spoken.compare(phrase, Qt::CaseInsensitive) == 0)
                return effect;
        }
    }
    return std::nullopt;
}

QByteArray compactJson(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace zyne
