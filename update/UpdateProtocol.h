#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QUrl>

#include <array>

// What the program and the update service say to each other, and the decisions taken on it.
// No I/O here: the checker (AutoUpdate) sends, receives and logs.
namespace zyne::update {

inline constexpr const char* kClientType = "Vx010";
inline constexpr const char* kRequestPath = "/download/getVersionV1";
// The name the updater is given for our folder under the settings home.
inline constexpr const char* kUpdateFolderName = "RGBZynePlus";
// A reply is a few hundred bytes; anything past this is not one and is not kept.
inline constexpr qint64 kMaxReplyBytes = 1024 * 1024;

// --- requests ---
QJsonObject addressQuery();
QJsonObject versionQuery(const QString& uuid);
QJsonObject installationReport(const QString& uuid, const QString& recordedVersion,
                               const QString& programVersion);
// The indented JSON text of a request, as it is logged and encoded.
QByteArray requestJson(const QJsonObject& request);
// "ActiveData=" + the standard Base64 of the indented JSON (not URL-encoded: the service reads it so).
QByteArray requestBody(const QJsonObject& request);

// --- replies ---
struct UpdateReply {
    bool isJsonObject = false;
    QString resultCode;
    QJsonObject data;
    QString version;
    QString url;
    QString note;
};
// Anything that is not a JSON object reads as empty values (isJsonObject false).
UpdateReply parseUpdateReply(const QByteArray& body);

enum class ReplyAction {
    None,
    SendVersionQuery, // "002" with a newer version: ask for it with our UUID
    StartUpdater,     // "001" with a newer version: record it and hand over
    ShowNote,         // "001" otherwise: show the service's note
};
ReplyAction replyAction(const UpdateReply& reply, const QString& programVersion);

// --- versions ---
using VersionNumbers = std::array<unsigned, 3>;
// "V1.2.3" or "1.2.3": the three dot-separated integers; a missing or non-numeric part is 0.
VersionNumbers versionNumbers(const QString& version);
// True when candidate ("V"a.b.c) is above current (x.y.z), first field first; equal is not newer.
bool isNewerVersion(const QString& candidate, const QString& current);
// The recorded version says an update was started by an older program: this start reports it.
// No recorded version (nothing was started) reports nothing.
bool reportsInstallation(const QString& recordedVersion, const QString& programVersion);

// --- identity ---
// A stored UUID as the service expects it: a braced one as "%7B" + bare + "%7D", a bare one as is.
// Empty when the text is not a UUID.
QString uuidForService(const QString& stored);

// --- addresses ---
// Only https, or plain http to a loopback address (a local test service), is contacted or opened.
bool isAllowedServiceAddress(const QUrl& url);
// The request address for the configured base address; empty (with the reason in *refusal) when the
// address is missing, malformed or not allowed.
QUrl requestUrl(const QString& serverAddress, QString* refusal);

// --- updater hand-off ---
// ";en;" for language 0, ";tc;", ";CN;", ";DE;", ";FR;", ";JP;", ";TH;", else ";EN;".
QString languageTag(int language);
// The updater's single argument: folder name, language tag and program version joined.
QString updaterArgument(int language, const QString& programVersion);

} // namespace zyne::update
