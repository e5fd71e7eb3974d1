#include "LogFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

#include <cstdio>

namespace zyne {

namespace {
// The program runs for weeks: past this size the log starts over and the previous one is kept
// beside it as <name>.1.
constexpr qint64 kLogFileLimit = 8 * 1024 * 1024;

QMutex logMutex;
QFile* logFile = nullptr;
qint64 logFileSize = 0;

bool openLogFile(QFile& file) {
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return false;
    logFileSize = file.size();
    return true;
}

// Called with logMutex held.
void startNewLogFile() {
    const QString path = logFile->fileName();
    logFile->close();
    QFile::remove(path + QStringLiteral(".1"));
    QFile::rename(path, path + QStringLiteral(".1"));
    if (!openLogFile(*logFile)) {
        delete logFile;
        logFile = nullptr;
    }
}

const char* levelName(QtMsgType type) {
    switch (type) {
    case QtDebugMsg:
        return "debug";
    case QtInfoMsg:
        return "info";
    case QtWarningMsg:
        return "warning";
    case QtCriticalMsg:
        return "critical";
    case QtFatalMsg:
        return "fatal";
    }
    return "?";
}

void writeLogLine(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const QByteArray line = QStringLiteral("%1 %2 %3: %4\n")
                                .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs),
                                     QLatin1String(context.category ? context.category : "default"),
                                     QLatin1String(levelName(type)), message)
                                .toUtf8();
    QMutexLocker lock(&logMutex);
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
    if (logFile) {
        logFile->write(line);
        logFile->flush();
        logFileSize += line.size();
        if (logFileSize > kLogFileLimit)
            startNewLogFile();
    }
}
} // namespace

void installLogFile(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    auto* file = new QFile(path);
    QMutexLocker lock(&logMutex);
    if (!openLogFile(*file)) {
        std::fprintf(stderr, "can't open the log file %s\n", qPrintable(path));
        delete file;
        file = nullptr;
    }
    logFile = file;
    qInstallMessageHandler(writeLogLine);
}

} // namespace zyne
