#include "IniFileStore.h"

#include "SettingsLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

namespace zyne {

namespace {

// Settings files are a few kilobytes; anything this large is not one of ours.
constexpr qint64 kLargestReadableFile = 4 * 1024 * 1024;
constexpr int kLockWaitMs = 3000;

// Nothing when the file can't be read or is too large to be a settings file.
std::optional<IniDocument> parsedFile(const QString& path) {
    QFile file(path);
    if (file.size() > kLargestReadableFile) {
        qCWarning(lcSettings).noquote() << path << "is too large to be a settings file; it is ignored";
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcSettings).noquote() << "cannot read" << path << file.errorString();
        return std::nullopt;
    }
    IniDocument document = IniDocument::parse(file.readAll());
    if (!document.isWellFormed())
        qCWarning(lcSettings).noquote()
            << path << "is not well-formed; lines that cannot be read are ignored";
    return document;
}

bool writeWhole(const QString& path, const QByteArray& bytes) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        qCWarning(lcSettings).noquote() << "cannot create the folder of" << path;
        return false;
    }
    QSaveFile file(path);
    // Unbuffered, so the count write() returns is what reached the file: QSaveFile itself treats
    // a short write (full disk, size limit) as success and would commit a cut-off file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        qCWarning(lcSettings).noquote() << "cannot write" << path << file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        qCWarning(lcSettings).noquote() << "writing" << path << "failed:" << file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        qCWarning(lcSettings).noquote() << "writing" << path << "failed:" << file.errorString();
        return false;
    }
    return true;
}

} // namespace

std::optional<IniDocument> readIniFile(const QString& path) {
    if (!QFileInfo::exists(path))
        return std::nullopt;
    // An unreadable file reads like an empty one.
    return parsedFile(path).value_or(IniDocument());
}

bool updateIniFile(const QString& path, const std::function<void(IniDocument&)>& edit) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QLockFile lock(path + QStringLiteral(".lock"));
    // Waiting is bounded: a lock that cannot be had (left by a hung process, or a folder in its
    // place) costs the merge with a concurrent writer at worst, never the write.
    if (!lock.tryLock(kLockWaitMs))
        qCWarning(lcSettings).noquote() << "writing" << path << "without its lock, which is held or blocked";
    IniDocument document;
    if (QFileInfo::exists(path)) {
        auto existing = parsedFile(path);
        // Replacing a file we could not read would lose every group this write does not carry.
        if (!existing) {
            qCWarning(lcSettings).noquote() << path << "is not written: what it holds could not be read";
            return false;
        }
        document = std::move(*existing);
    }
    edit(document);
    return writeWhole(path, document.serialized());
}

} // namespace zyne
