#include "MobileFrames.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>

namespace zyne {

namespace {
QVariantMap musicLevelCommand(const QString& text, bool classic, QString* error) {
    QVariantMap data;
    if (text.endsWith(QLatin1String("@@"))) {
        data.insert(QStringLiteral("Status"), QStringLiteral("0"));
    } else {
        // "07 85": the fourth and fifth characters are the level's tens and units.
        if (text.size() < 5 || !text.at(3).isDigit() || !text.at(4).isDigit() || text.at(3).unicode() > '9' ||
            text.at(4).unicode() > '9') {
            *error = QStringLiteral("music level text without two digits");
            return {};
        }
        const int volume = qBound(0, text.mid(3, 2).toInt(), 100);
        data.insert(QStringLiteral("Volume"), QString::number(volume));
        data.insert(QStringLiteral("Status"), QStringLiteral("1"));
    }
    QVariantMap command{{QStringLiteral("command"), QStringLiteral("7")}, {QStringLiteral("Data"), data}};
    if (classic)
        command.insert(QStringLiteral("DeviceType"), QStringLiteral("0"));
    return command;
}
} // namespace

std::optional<int> integerValue(const QVariant& value) {
    switch (int(value.type())) {
    case QMetaType::Int:
        return value.toInt();
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::UInt: {
        bool ok = false;
        const qlonglong wide = value.toLongLong(&ok);
        if (!ok || value.toULongLong() > quint64(std::numeric_limits<qlonglong>::max()) ||
            wide < std::numeric_limits<int>::min() || wide > std::numeric_limits<int>::max())
            return std::nullopt;
        return int(wide);
    }
    case QMetaType::Double: {
        const double number = value.toDouble();
        if (!std::isfinite(number) || number != std::trunc(number) ||
            number < double(std::numeric_limits<int>::min()) ||
            number > double(std::numeric_limits<int>::max()))
            return std::nullopt;
        return int(number);
    }
    case QMetaType::QString: {
        bool ok = false;
        const int number = value.toString().trimmed().toInt(&ok, 10);
        return ok ? std::optional<int>(number) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

MobileFrame decodeFrame(const QByteArray& frame) {
    MobileFrame result;
    // A line break, a blank or a stray '=' is not worth a lost command: decode what the bytes give
    // and let the JSON reader refuse what is garbage.
    const QByteArray bytes = QByteArray::fromBase64(frame);
    result.text = QString::fromUtf8(bytes);
    if (bytes.startsWith("07") || bytes.startsWith("08")) {
        result.command = musicLevelCommand(result.text, bytes.startsWith("08"), &result.error);
        if (result.error.isEmpty())
            result.kind = MobileFrame::Command;
        return result;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        result.error = QStringLiteral("parse Error: ") + parseError.errorString();
        return result;
    }
    if (!document.isObject()) {
        result.error = QStringLiteral("parse Error: not a JSON object");
        return result;
    }
    result.command = document.object().toVariantMap();
    result.kind = integerValue(result.command.value(QStringLiteral("command"))) == 10
                      ? MobileFrame::BoxListRequest
                      : MobileFrame::Command;
    return result;
}

QByteArray encodeFrame(const QByteArray& utf8Text) {
    return utf8Text.toBase64() + kFrameEnd;
}

QByteArray greeting(const QString& version, const QString& hostName, bool lockOn, const QString& password) {
    QString text = QStringLiteral("VxRainbowFan#Ver.") + version + QLatin1Char('!') + hostName;
    if (lockOn)
        text += QLatin1Char('!') + password;
    return text.toUtf8() + kFrameEnd;
}

bool FrameReader::append(const QByteArray& bytes) {
    // Frames already handed out go once they are the larger part of the buffer.
    if (m_start > 0 && m_start >= m_buffer.size() / 2) {
        m_buffer.remove(0, m_start);
        m_start = 0;
    }
    const int lastEnd = bytes.lastIndexOf(kFrameEnd);
    const int unfinished = lastEnd >= 0 ? bytes.size() - lastEnd - 1 : m_unfinished + bytes.size();
    if (unfinished > kMaxUnfinishedFrame)
        return false;
    m_unfinished = unfinished;
    m_buffer.append(bytes);
    return true;
}

std::optional<QByteArray> FrameReader::nextFrame() {
    const int end = m_buffer.indexOf(kFrameEnd, m_start);
    if (end < 0)
        return std::nullopt;
    QByteArray frame = m_buffer.mid(m_start, end - m_start);
    m_start = end + 1;
    return frame;
}

} // namespace zyne
