#include "ScriptReader.h"

#include "IniDocument.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <map>

namespace zyne {

namespace {

// A key written as a plain decimal frame number ("7", not "07" or "+7").
bool frameNumber(const QString& key, int* number) {
    if (key.isEmpty() || key.size() > 9 || (key.size() > 1 && key.at(0) == QLatin1Char('0')))
        return false;
    for (const QChar c : key) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    *number = key.toInt();
    return true;
}

int integerOf(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

// Entry `k` of a JSON array as a number in [lowest, highest]; anything else reads as 0.
int clampedEntry(const QJsonArray& list, int k, int lowest, int highest) {
    if (k >= list.size())
        return 0;
    const QJsonValue value = list.at(k);
    if (!value.isDouble())
        return 0;
    const double number = value.toDouble();
    return static_cast<int>(std::clamp(std::trunc(number), double(lowest), double(highest)));
}

void readLeds(const QJsonObject& fan, const char* key, std::array<int, kLedCount>& out, int highest) {
    const QJsonArray list = fan.value(QLatin1String(key)).toArray();
    for (int k = 0; k < kLedCount; ++k)
        out[std::size_t(k)] = clampedEntry(list, k, 0, highest);
}

} // namespace

ScriptText readScriptText(const QByteArray& iniBytes) {
    const IniDocument ini = IniDocument::parse(iniBytes);
    ScriptText script;
    script.count = integerOf(ini.value(QStringLiteral("Config"), QStringLiteral("Count")));
    script.frequency = integerOf(ini.value(QStringLiteral("Config"), QStringLiteral("Frequency")));

    // Only the frames the file holds, so the count bounds nothing but the index.
    std::map<int, QString> present;
    const QString data = QStringLiteral("Data");
    for (const QString& key : ini.keys(data)) {
        int number = 0;
        if (frameNumber(key, &number) && number < script.count)
            present.emplace(number, key);
    }
    script.skipped = std::max(0, script.count) - int(present.size());
    for (const auto& [number, key] : present) {
        const QByteArray json = QByteArray::fromBase64(ini.value(data, key).toLatin1());
        script.frames << QString::fromUtf8(json);
    }
    return script;
}

ParsedScriptFrame parseScriptFrame(const QString& text) {
    ParsedScriptFrame parsed;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError) {
        parsed.status = ParsedScriptFrame::ParseError;
        return parsed;
    }
    if (!document.isObject()) {
        parsed.status = ParsedScriptFrame::NotAnObject;
        return parsed;
    }
    const QJsonArray controllers = document.object().value(QStringLiteral("Controller")).toArray();
    // One entry per box: a box named again adds its fans to the first entry, a fan named again
    // replaces the earlier one, so a frame never holds more than every port once.
    std::array<int, kBoxCount> entryOfBox;
    entryOfBox.fill(-1);
    for (const QJsonValue& value : controllers) {
        const QJsonObject controller = value.toObject();
        const QJsonValue number = controller.value(QStringLiteral("ControllerNum"));
        const double box = number.toDouble(-1.0);
        if (!number.isDouble() || box != std::trunc(box) || box < 0.0 || box >= double(kBoxCount)) {
            ++parsed.skippedControllers;
            continue;
        }
        const auto boxIndex = std::size_t(box);
        if (entryOfBox[boxIndex] < 0) {
            entryOfBox[boxIndex] = int(parsed.frame.size());
            parsed.frame.push_back({int(box), {}});
        }
        std::vector<UserScriptData>& fans = parsed.frame[std::size_t(entryOfBox[boxIndex])].fans;
        for (int fanIndex = 0; fanIndex < kPlusPortCount; ++fanIndex) {
            const QJsonObject fan = controller.value(QStringLiteral("Fan%1").arg(fanIndex)).toObject();
            if (fan.isEmpty())
                continue;
            UserScriptData entry;
            entry.fanIndex = fanIndex;
            readLeds(fan, "R", entry.rColor, 255);
            readLeds(fan, "G", entry.gColor, 255);
            readLeds(fan, "B", entry.bColor, 255);
            readLeds(fan, "Br", entry.brColor, 100);
            const auto same = std::find_if(fans.begin(), fans.end(),
                                           [&](const UserScriptData& f) { return f.fanIndex == fanIndex; });
            if (same != fans.end())
                *same = entry;
            else
                fans.push_back(entry);
        }
    }
    return parsed;
}

} // namespace zyne
