#include "UpdateFolder.h"

#include "SettingsFileRead.h"
#include "SettingsFileWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zyne::update {

namespace {
// These files hold one short line; a larger one is not ours and is not read whole.
constexpr qint64 kReadLimit = 4096;

// Read without blocking: a FIFO or a device there reads as nothing.
QByteArray readSmallFile(const QString& path) {
    return readSettingsFile(path, kReadLimit).bytes;
}

bool removeIfPresent(const QString& path) {
    return QFileInfo::exists(path) && QFile::remove(path);
}
} // namespace

UpdateFolder::UpdateFolder(QString path) : m_path(std::move(path)) {}

bool UpdateFolder::create() const {
    return QDir().mkpath(m_path);
}

QString UpdateFolder::file(const char* name) const {
    return m_path + QLatin1Char('/') + QLatin1String(name);
}

QString UpdateFolder::uuidFileName() {
    return QStringLiteral("UUID.txt");
}

QString UpdateFolder::readUuidFileIn(const QString& folder) {
    return QString::fromUtf8(readSmallFile(folder + QLatin1Char('/') + uuidFileName()));
}

QString UpdateFolder::readUuidFile() const {
    return readUuidFileIn(m_path);
}

bool UpdateFolder::writeUuidFile(const QString& uuid) const {
    return replaceFileSafely(m_path + QLatin1Char('/') + uuidFileName(), uuid.toUtf8());
}

QString UpdateFolder::readRecordedVersion() const {
    return QString::fromLatin1(readSmallFile(file("Version.txt"))).trimmed();
}

bool UpdateFolder::writeRecordedVersion(const QString& version) const {
    return replaceFileSafely(file("Version.txt"), version.toLatin1());
}

bool UpdateFolder::removeRecordedVersion() const {
    return removeIfPresent(file("Version.txt"));
}

bool UpdateFolder::writeFileUrl(const QString& url) const {
    return replaceFileSafely(file("fileUrl.txt"), url.toUtf8());
}

bool UpdateFolder::removeDownloadedUpdate() const {
    return removeIfPresent(file("VX_update.exe"));
}

} // namespace zyne::update
