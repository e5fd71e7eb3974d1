#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QString>

namespace zyne {

// Writers of one settings file (other threads, other processes) take turns through "<path>.lock",
// the lock file the Qt settings store uses. A lock that names no live process (left empty or
// whole by a killed writer) is cleared at once instead of after Qt's 30 s; waiting for a live one
// is bounded, and a lock path that is not a regular file is given up at once.
class SettingsFileLock {
public:
    explicit SettingsFileLock(const QString& path);
    // False when the lock could not be had in waitMs.
    bool acquire(int waitMs);

private:
    // False when the lock path is something no lock can be (a folder, a FIFO).
    bool clearDeadLock() const;

    QString m_lockPath;
    QLockFile m_lock;
};

// Replaces the file whole: the bytes go to "<path>.zyne-XXXXXX", are checked and flushed to disk
// and renamed over the file, so a crash, power cut or full disk leaves either the old or the new
// file. Nothing is opened at path itself: a link there is replaced by the regular file (what it
// points at is never written), and so are a FIFO or a device; the log names what was there.
// False (logged) when nothing was written. Every file the program writes whole goes through here.
bool replaceFileSafely(const QString& path, const QByteArray& bytes);

// What sits at path when it is there but is no regular file ("a symbolic link", "a FIFO", ...),
// without following a link; empty for a regular file or nothing.
QString nonRegularFileKind(const QString& path);

// Removes what killed writers of this file left behind; only for the holder of its lock.
void removeOrphanedTempFiles(const QString& path);

} // namespace zyne
