#pragma once

#include "UpdateFolder.h"
#include "UpdaterHandOff.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QUrl>

#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

namespace zyne::update {

struct UpdateReply;
class UpdateNoteWindow;

// The update check: tells the update service that an update was installed, or asks it whether a
// newer version exists and hands an offered one to the installed updater (or shows where to get it).
class AutoUpdate : public QObject {
    Q_OBJECT
public:
    struct Setup {
        // Base address of the service; empty or not allowed: nothing is sent.
        QString serverAddress;
        QString updateFolder;
        // Where the updater is looked for: the executable's folder.
        QString programFolder;
        // pkexec's path, or empty.
        QString elevator;
        int language = 0;
        // No request waits longer than this for the next bytes.
        int timeoutMs = 30000;
    };

    explicit AutoUpdate(Setup setup, QObject* parent = nullptr);
    ~AutoUpdate() override;

    void setupVersion(const QString& version);
    // The start-up check: the installation report after an update, else the address query.
    void getVersion();
    // Null until a note was shown.
    UpdateNoteWindow* noteWindow() const { return m_noteWindow.get(); }

public slots:
    void finishedSlot(QNetworkReply* reply);
    void writeUUID(QString uuid);
    QString readUUID();
    void closeNode();

private:
    // A follow-up is a request sent because of a reply.
    void sendRequest(const QJsonObject& request, bool followUp = false);
    // Takes what has arrived of a reply; past the size limit the reply is cut off.
    void collectReply(QNetworkReply* reply);
    void refuseOversized(QNetworkReply* reply);
    QNetworkAccessManager* newNetworkManager();
    void logComparison(const QString& candidate, const QString& current) const;
    void handleReply(const UpdateReply& reply, bool answersFollowUp);
    void startUpdate(const UpdateReply& reply);
    void showNote(const QString& note, const QUrl& downloadUrl);

    Setup m_setup;
    QString m_programVersion;
    QUrl m_requestUrl;
    UpdateFolder m_folder;
    UpdaterHandOff m_handOff;
    QNetworkAccessManager* m_network;
    std::unique_ptr<UpdateNoteWindow> m_noteWindow;
    // What has arrived of each reply under way.
    QHash<QNetworkReply*, QByteArray> m_bodies;
};

} // namespace zyne::update
