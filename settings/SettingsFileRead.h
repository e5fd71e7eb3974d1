#pragma once

#include <QByteArray>
#include <QString>

namespace zyne {

// One settings file's bytes, read without ever blocking or reading past a limit: the file is
// opened non-blocking and only a regular file is read (a FIFO, a device such as /dev/zero or a
// folder in its place is refused), whatever size the file system reports.
struct SettingsFileRead {
    enum Status { Missing, Unreadable, Read };
    Status status = Missing;
    QByteArray bytes;
    QString problem; // why it is unreadable
};

SettingsFileRead readSettingsFile(const QString& path, qint64 limit);

} // namespace zyne
