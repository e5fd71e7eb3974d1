#include "AutoUpdate.h"

#include "UpdateNoteWindow.h"
#include "UpdateProtocol.h"

#include <QJsonDocument>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUuid>

Q_LOGGING_CATEGORY(lcUpdate, "zyne.update")

namespace zyne::update {

namespace {
constexpr const char* kProgramVersion = "1.1.5";
constexpr const char* kTooLarge = "zyneReplyTooLarge";
// Set on the reply to a request that a reply led to: it may lead to no further one.
constexpr const char* kFollowUp = "zyneFollowUp";
} // namespace

AutoUpdate::AutoUpdate(Setup setup, QObject* parent)
    : QObject(parent), m_setup(std::move(setup)), m_programVersion(QLatin1String(kProgramVersion)),
      m_folder(m_setup.updateFolder), m_handOff(m_setup.programFolder, m_setup.elevator),
      m_network(newNetworkManager()) {
    m_folder.removeDownloadedUpdate();
    m_folder.create();
    QString refusal;
    m_requestUrl = requestUrl(m_setup.serverAddress, &refusal);
    if (m_requestUrl.isEmpty())
        qCInfo(lcUpdate).noquote() << refusal;
}

AutoUpdate::~AutoUpdate() = default;

QNetworkAccessManager* AutoUpdate::newNetworkManager() {
    auto* manager = new QNetworkAccessManager(this);
    connect(manager, &QNetworkAccessManager::finished, this, &AutoUpdate::finishedSlot);
    return manager;
}

void AutoUpdate::setupVersion(const QString& version) {
    m_programVersion = version;
}

void AutoUpdate::getVersion() {
    const QString recorded = m_folder.readRecordedVersion();
    qCDebug(lcUpdate) << "getVersion---OldVersion:" << m_programVersion << "checkOldVersion():" << recorded;
    // Without a service the recorded version stays, so the report goes out once there is one.
    if (m_requestUrl.isEmpty())
        return;
    if (!recorded.isEmpty())
        logComparison(QLatin1Char('V') + m_programVersion, recorded);
    if (reportsInstallation(recorded, m_programVersion)) {
        qCDebug(lcUpdate) << "Update Success";
        sendRequest(installationReport(readUUID(), recorded, m_programVersion));
        if (m_folder.removeDownloadedUpdate())
            qCDebug(lcUpdate) << "Delete Update File";
        if (m_folder.removeRecordedVersion())
            qCDebug(lcUpdate) << "Delete Version.txt File";
        return;
    }
    sendRequest(addressQuery());
}

void AutoUpdate::logComparison(const QString& candidate, const QString& current) const {
    const VersionNumbers v = versionNumbers(candidate);
    const VersionNumbers old = versionNumbers(current);
    qCDebug(lcUpdate) << "---------------------------------";
    qCDebug(lcUpdate).nospace() << "V0:" << v[0] << ", V1:" << v[1] << ", V2:" << v[2];
    qCDebug(lcUpdate).nospace() << "oldV0:" << old[0] << ", oldV1:" << old[1] << ", oldV2:" << old[2];
    qCDebug(lcUpdate) << "---------------------------------";
}

void AutoUpdate::sendRequest(const QJsonObject& request, bool followUp) {
    const QByteArray json = requestJson(request);
    const QByteArray body = requestBody(request);
    qCDebug(lcUpdate).noquote() << "strJson:" << QString::fromUtf8(json)
                                << ", activeData:" << QString::fromLatin1(body)
                                << ", aa.base64:" << QString::fromLatin1(json.toBase64());
    QNetworkRequest networkRequest(m_requestUrl);
    networkRequest.setHeader(QNetworkRequest::ContentTypeHeader,
                             QByteArrayLiteral("application/x-www-form-urlencoded"));
    // A redirect could lead anywhere, plain http included: the reply is taken from this address only.
    networkRequest.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                                QNetworkRequest::ManualRedirectPolicy);
    networkRequest.setTransferTimeout(m_setup.timeoutMs);
    QNetworkReply* reply = m_network->post(networkRequest, body);
    reply->setProperty(kFollowUp, followUp);
    m_bodies.insert(reply, QByteArray());
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > kMaxReplyBytes)
            refuseOversized(reply);
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] { collectReply(reply); });
}

void AutoUpdate::collectReply(QNetworkReply* reply) {
    if (reply->property(kTooLarge).toBool() || !reply->isOpen())
        return;
    QByteArray& body = m_bodies[reply];
    body += reply->read(kMaxReplyBytes + 1 - body.size());
    if (body.size() > kMaxReplyBytes)
        refuseOversized(reply);
}

void AutoUpdate::refuseOversized(QNetworkReply* reply) {
    reply->setProperty(kTooLarge, true);
    m_bodies.remove(reply);
    reply->abort();
    // The network thread goes on reading an aborted reply to its end (for ever, from a service that
    // never stops); only dropping the manager's connections ends it.
    m_network->deleteLater();
    m_network = newNetworkManager();
}

void AutoUpdate::finishedSlot(QNetworkReply* reply) {
    qCDebug(lcUpdate) << "finishedSlot----------Start";
    reply->deleteLater();
    collectReply(reply);
    const QByteArray body = m_bodies.take(reply);
    if (reply->property(kTooLarge).toBool()) {
        qCWarning(lcUpdate) << "the update service's reply passed" << kMaxReplyBytes << "bytes: ignored";
    } else if (reply->error() != QNetworkReply::NoError) {
        qCDebug(lcUpdate) << "handle errors here";
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        qCDebug(lcUpdate).noquote() << QString::asprintf("found error ....code: %d %d\n", status,
                                                         static_cast<int>(reply->error()))
                                    << reply->errorString();
        qCDebug(lcUpdate) << "strId:" << readUUID();
    } else {
        qCDebug(lcUpdate).noquote() << QString::fromUtf8(body);
        const UpdateReply parsed = parseUpdateReply(body);
        if (!parsed.isJsonObject)
            qCWarning(lcUpdate) << "the update service's reply is not a JSON object: ignored";
        qCDebug(lcUpdate).noquote() << "json_obj:"
                                    << "Data:"
                                    << QString::fromUtf8(
                                           QJsonDocument(parsed.data).toJson(QJsonDocument::Compact));
        qCDebug(lcUpdate) << "------------------------";
        handleReply(parsed, reply->property(kFollowUp).toBool());
    }
    qCDebug(lcUpdate) << "finishedSlot----------End";
}

void AutoUpdate::handleReply(const UpdateReply& reply, bool answersFollowUp) {
    if (reply.resultCode == QLatin1String("002"))
        qCDebug(lcUpdate) << "version:" << reply.version;
    switch (replyAction(reply, m_programVersion)) {
    case ReplyAction::SendVersionQuery:
        logComparison(reply.version, m_programVersion);
        // A service that answers every query with another "002" would otherwise be asked for ever.
        if (answersFollowUp) {
            qCWarning(lcUpdate) << "the update service asked again for the version query: not sent";
            break;
        }
        qCDebug(lcUpdate) << "compareVersion Start Update";
        sendRequest(versionQuery(readUUID()), true);
        break;
    case ReplyAction::StartUpdater:
        startUpdate(reply);
        break;
    case ReplyAction::ShowNote:
        qCDebug(lcUpdate) << "noteStr:" << reply.note;
        showNote(reply.note, QUrl());
        break;
    case ReplyAction::None:
        break;
    }
}

void AutoUpdate::startUpdate(const UpdateReply& reply) {
    qCDebug(lcUpdate) << "Start update111";
    const QUrl download(reply.url, QUrl::StrictMode);
    // The updater fetches and runs what this address gives, with administrator rights.
    if (!isAllowedServiceAddress(download)) {
        qCWarning(lcUpdate) << "download address refused (only https, or http to a loopback address):"
                            << reply.url;
        return;
    }
    m_folder.writeRecordedVersion(m_programVersion);
    m_folder.writeFileUrl(reply.url);
    switch (m_handOff.start(updaterArgument(m_setup.language, m_programVersion))) {
    case UpdaterHandOff::Result::Started:
        qCInfo(lcUpdate) << "updater started:" << m_handOff.updaterPath();
        closeNode();
        return;
    case UpdaterHandOff::Result::NotInstalled:
        qCInfo(lcUpdate) << "no updater at" << m_handOff.updaterPath() << "- the download address is shown";
        break;
    case UpdaterHandOff::Result::StartFailed:
        qCWarning(lcUpdate) << "the updater did not start:" << m_handOff.updaterPath();
        break;
    }
    showNote(reply.note, download);
}

void AutoUpdate::showNote(const QString& note, const QUrl& downloadUrl) {
    if (!m_noteWindow) {
        m_noteWindow = std::make_unique<UpdateNoteWindow>();
        connect(m_noteWindow.get(), &UpdateNoteWindow::closeRequested, this, &AutoUpdate::closeNode);
    }
    m_noteWindow->showNote(note, downloadUrl);
}

void AutoUpdate::closeNode() {
    if (m_noteWindow)
        m_noteWindow->close();
}

void AutoUpdate::writeUUID(QString uuid) {
    if (!m_folder.writeUuidFile(uuid))
        qCWarning(lcUpdate) << "UUID.txt could not be written in" << m_folder.path();
}

QString AutoUpdate::readUUID() {
    const QString stored = m_folder.readUuidFile();
    if (!stored.isEmpty()) {
        qCDebug(lcUpdate) << "returnUUID:" << stored;
        const QString uuid = uuidForService(stored);
        if (!uuid.isEmpty())
            return uuid;
        qCWarning(lcUpdate) << "UUID.txt holds no UUID: a new one replaces it";
    } else {
        qCDebug(lcUpdate) << "APPDATA File not find";
    }
    const QString shipped = UpdateFolder::readUuidFileIn(m_setup.programFolder);
    if (!shipped.isEmpty()) {
        qCDebug(lcUpdate) << "file1(UUID.txt) find";
        const QString uuid = uuidForService(shipped);
        if (!uuid.isEmpty()) {
            // Kept with the settings, so the identity survives a new program folder.
            writeUUID(shipped.trimmed());
            return uuid;
        }
    } else {
        qCDebug(lcUpdate) << "file1(UUID.txt) not find";
    }
    const QString fresh = QUuid::createUuid().toString(QUuid::WithoutBraces);
    writeUUID(fresh);
    return fresh;
}

} // namespace zyne::update
