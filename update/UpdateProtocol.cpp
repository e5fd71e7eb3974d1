#include "UpdateProtocol.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QStringList>
#include <QUuid>

namespace zyne::update {

namespace {
QString clientType() {
    return QString::fromLatin1(kClientType);
}
} // namespace

QJsonObject addressQuery() {
    return {{QStringLiteral("getUrl"), 1}, {QStringLiteral("command_type"), clientType()}};
}

QJsonObject versionQuery(const QString& uuid) {
    return {{QStringLiteral("UUID"), uuid}, {QStringLiteral("command_type"), clientType()}};
}

QJsonObject installationReport(const QString& uuid, const QString& recordedVersion,
                               const QString& programVersion) {
    return {
        {QStringLiteral("UUID"), uuid},
        {QStringLiteral("command_type"), clientType()},
        {QStringLiteral("currentVersion"), recordedVersion},
        {QStringLiteral("updateVersion"), programVersion},
        {QStringLiteral("status"), QStringLiteral("ok")},
    };
}

QByteArray requestJson(const QJsonObject& request) {
    return QJsonDocument(request).toJson(QJsonDocument::Indented);
}

QByteArray requestBody(const QJsonObject& request) {
    return QByteArrayLiteral("ActiveData=") + requestJson(request).toBase64();
}

UpdateReply parseUpdateReply(const QByteArray& body) {
    UpdateReply reply;
    const QJsonDocument document = QJsonDocument::fromJson(body);
    if (!document.isObject())
        return reply;
    const QJsonObject object = document.object();
    reply.isJsonObject = true;
    reply.resultCode = object.value(QStringLiteral("Result_Code")).toString();
    reply.data = object.value(QStringLiteral("Data")).toObject();
    reply.version = reply.data.value(QStringLiteral("version")).toString();
    reply.url = reply.data.value(QStringLiteral("url")).toString();
    reply.note = reply.data.value(QStringLiteral("note")).toString();
    return reply;
}

ReplyAction replyAction(const UpdateReply& reply, const QString& programVersion) {
    const bool newer = !reply.version.isEmpty() && isNewerVersion(reply.version, programVersion);
    if (reply.resultCode == QLatin1String("002"))
        return newer ? ReplyAction::SendVersionQuery : ReplyAction::None;
    if (reply.resultCode == QLatin1String("001"))
        return newer ? ReplyAction::StartUpdater : ReplyAction::ShowNote;
    return ReplyAction::None;
}

VersionNumbers versionNumbers(const QString& version) {
    QString text = version.trimmed();
    if (text.startsWith(QLatin1Char('V')) || text.startsWith(QLatin1Char('v')))
        text.remove(0, 1);
    const QStringList parts = text.split(QLatin1Char('.'));
    VersionNumbers numbers{};
    for (std::size_t i = 0; i < numbers.size() && static_cast<int>(i) < parts.size(); ++i) {
        bool ok = false;
        const unsigned value = parts.at(static_cast<int>(i)).toUInt(&ok);
        numbers[i] = ok ? value : 0;
    }
    return numbers;
}

bool isNewerVersion(const QString& candidate, const QString& current) {
    return versionNumbers(candidate) > versionNumbers(current);
}

bool reportsInstallation(const QString& recordedVersion, const QString& programVersion) {
    // A missing Version.txt would read as 0.0.0 and look like an update at every start, which
    // would then never ask for a new version.
    if (recordedVersion.trimmed().isEmpty())
        return false;
    return isNewerVersion(QLatin1Char('V') + programVersion, recordedVersion);
}

QString uuidForService(const QString& stored) {
    const QString text = stored.trimmed();
    const QUuid uuid = QUuid::fromString(text);
    if (uuid.isNull())
        return QString();
    const QString bare = uuid.toString(QUuid::WithoutBraces);
    if (text.compare(bare, Qt::CaseInsensitive) == 0)
        return text;
    if (text.compare(uuid.toString(QUuid::WithBraces), Qt::CaseInsensitive) == 0)
        return QStringLiteral("%7B") + text.mid(1, text.size() - 2) + QStringLiteral("%7D");
    return QString();
}

bool isAllowedServiceAddress(const QUrl& url) {
    if (!url.isValid() || url.host().isEmpty())
        return false;
    if (url.scheme() == QLatin1String("https"))
        return true;
    return url.scheme() == QLatin1String("http") && QHostAddress(url.host()).isLoopback();
}

QUrl requestUrl(const QString& serverAddress, QString* refusal) {
    const QString text = serverAddress.trimmed();
    if (text.isEmpty()) {
        *refusal = QStringLiteral("no update server configured");
        return QUrl();
    }
    QUrl url(text, QUrl::StrictMode);
    if (!isAllowedServiceAddress(url)) {
        *refusal =
            QStringLiteral("update server refused (only https, or http to a loopback address): ") + text;
        return QUrl();
    }
    QString base = url.path();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    url.setPath(base + QLatin1String(kRequestPath));
    url.setQuery(QString());
    url.setFragment(QString());
    return url;
}

QString languageTag(int language) {
    static const char* const tags[] = {";en;", ";tc;", ";CN;", ";DE;", ";FR;", ";JP;", ";TH;"};
    if (language < 0 || language >= static_cast<int>(std::size(tags)))
        return QStringLiteral(";EN;");
    return QString::fromLatin1(tags[language]);
}

QString updaterArgument(int language, const QString& programVersion) {
    return QLatin1String(kUpdateFolderName) + languageTag(language) + programVersion;
}

} // namespace zyne::update
