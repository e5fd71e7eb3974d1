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
QMutex logMutex;
QFile* logFile = nullptr;

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
    }
}
} // namespace

void installLogFile(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    auto* file = new QFile(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        std::fprintf(stderr, "can't open the log file %s\n", qPrintable(path));
        delete file;
        file = nullptr;
    }
    {
        QMutexLocker lock(&logMutex);
        logFile = file;
    }
    qInstallMessageHandler(writeLogLine);
}

} // namespace zyne
