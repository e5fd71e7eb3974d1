#pragma once

#include <QString>

namespace zyne::update {

// The files of the update folder (beside Device.ini): the installation UUID, the version that was
// running when an update was handed over, the offered download address and a left-over download.
class UpdateFolder {
public:
    explicit UpdateFolder(QString path);

    const QString& path() const { return m_path; }
    bool create() const;

    // Empty when missing or unreadable.
    QString readUuidFile() const;
    bool writeUuidFile(const QString& uuid) const;
    QString readRecordedVersion() const;
    bool writeRecordedVersion(const QString& version) const;
    bool removeRecordedVersion() const;
    bool writeFileUrl(const QString& url) const;
    // VX_update.exe: the program never runs it, only clears it away.
    bool removeDownloadedUpdate() const;

    static QString uuidFileName();
    // The UUID.txt shipped in the program's folder, if any.
    static QString readUuidFileIn(const QString& folder);

private:
    QString file(const char* name) const;

    QString m_path;
};

} // namespace zyne::update
