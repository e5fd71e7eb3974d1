#include "IniFileStore.h"

#include "SettingsFileRead.h"
#include "SettingsFileWrite.h"
#include "SettingsLog.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <mutex>

namespace zyne {

namespace {

// Settings files are a few kilobytes; anything this large is not one of ours.
constexpr qint64 kLargestReadableFile = 4 * 1024 * 1024;
constexpr int kLockWaitMs = 3000;

// A file is read again and again (every box's profile, every save): say each problem once.
void warnOnce(const QString& path, const QString& text) {
    static std::mutex mutex;
    static QSet<QString> said;
    std::lock_guard lock(mutex);
    if (said.contains(path + text))
        return;
    said.insert(path + text);
    qCWarning(lcSettings).noquote() << path << text;
}

SettingsFileRead readDocumentBytes(const QString& path) {
    SettingsFileRead read = readSettingsFile(path, kLargestReadableFile);
    if (read.status == SettingsFileRead::Unreadable)
        warnOnce(path, QStringLiteral("can't be read (%1): the defaults are used and the file is never "
                                      "written over")
                           .arg(read.problem));
    return read;
}

IniDocument parsedDocument(const QString& path, const QByteArray& bytes) {
    IniDocument document = IniDocument::parse(bytes);
    if (!document.isWellFormed())
        warnOnce(path, QStringLiteral("has lines that can't be read; they are ignored and kept"));
    return document;
}

} // namespace

std::optional<IniDocument> readIniFile(const QString& path) {
    const SettingsFileRead read = readDocumentBytes(path);
    if (read.status != SettingsFileRead::Read)
        return std::nullopt;
    return parsedDocument(path, read.bytes);
}

bool updateIniFile(const QString& path, const std::function<void(IniDocument&)>& edit) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        qCWarning(lcSettings).noquote() << "cannot create the folder of" << path;
        return false;
    }
    SettingsFileLock lock(path);
    // Waiting is bounded: a lock that cannot be had (held by a hung process, or a folder in its
    // place) costs the merge with a concurrent writer at worst, never the write.
    const bool locked = lock.acquire(kLockWaitMs);
    if (!locked)
        qCWarning(lcSettings).noquote() << "writing" << path << "without its lock, which is held or blocked";
    const SettingsFileRead read = readDocumentBytes(path);
    // Replacing a file we could not read would lose every group this write does not carry.
    if (read.status == SettingsFileRead::Unreadable) {
        qCWarning(lcSettings).noquote() << path << "is not written: what it holds could not be read";
        return false;
    }
    IniDocument document;
    if (read.status == SettingsFileRead::Read)
        document = parsedDocument(path, read.bytes);
    edit(document);
    // Only the lock holder knows no other write of this file is under way.
    if (locked)
        removeOrphanedTempFiles(path);
    return replaceFileSafely(path, document.serialized());
}

} // namespace zyne
