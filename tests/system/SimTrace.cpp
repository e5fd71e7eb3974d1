#include "SimTrace.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

QString simDeviceName(std::uint16_t vendorId, std::uint16_t productId) {
    return QStringLiteral("%1:%2")
        .arg(vendorId, 4, 16, QLatin1Char('0'))
        .arg(productId, 4, 16, QLatin1Char('0'));
}

namespace {
bool parseLine(const QByteArray& line, SimTraceEvent& event, QString* problem) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(line, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        *problem = QStringLiteral("not a JSON object");
        return false;
    }
    const QJsonObject object = document.object();
    if (!object.value("t_ms").isDouble() || !object.value("dev").isString() ||
        !object.value("dir").isString()) {
        *problem = QStringLiteral("t_ms, dev or dir missing");
        return false;
    }
    event.tMs = static_cast<qint64>(object.value("t_ms").toDouble());
    event.dev = object.value("dev").toString();
    event.dir = object.value("dir").toString();
    if (event.dir == QLatin1String("open")) {
        if (!object.value("ok").isBool()) {
            *problem = QStringLiteral("open line without ok");
            return false;
        }
        event.ok = object.value("ok").toBool();
        return true;
    }
    static const QRegularExpression lowerHex(QStringLiteral("^([0-9a-f]{2})*$"));
    const QString hex = object.value("hex").toString();
    if (!object.value("hex").isString() || !lowerHex.match(hex).hasMatch()) {
        *problem = QStringLiteral("hex missing or not lower-case hex pairs");
        return false;
    }
    event.bytes = QByteArray::fromHex(hex.toLatin1());
    if (object.contains("wait")) {
        if (!object.value("wait").isDouble()) {
            *problem = QStringLiteral("wait is not a number");
            return false;
        }
        event.wait = object.value("wait").toInt();
    }
    return true;
}
} // namespace

QVector<SimTraceEvent> parseSimTrace(const QByteArray& text, QString* error) {
    QVector<SimTraceEvent> events;
    error->clear();
    int start = 0;
    int lineNumber = 1;
    for (int end = text.indexOf('\n'); end >= 0; end = text.indexOf('\n', start), ++lineNumber) {
        const QByteArray line = text.mid(start, end - start);
        start = end + 1;
        SimTraceEvent event;
        QString problem;
        if (!parseLine(line, event, &problem)) {
            *error = QStringLiteral("trace line %1: %2: %3")
                         .arg(lineNumber)
                         .arg(problem, QString::fromUtf8(line.left(200)));
            break;
        }
        events.append(event);
    }
    return events;
}
