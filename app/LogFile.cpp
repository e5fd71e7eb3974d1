#include "LogFile.h"

#include "LogRules.h"
#include "RotatingLogFile.h"

#include <QByteArrayList>
#include <QDateTime>
#include <mutex>

#include <cstdio>
#include <memory>

namespace zyne {

namespace {
// The program runs for weeks: past this size the log starts over and the previous one is kept
// beside it as <name>.1.
constexpr qint64 kLogFileLimit = 8 * 1024 * 1024;
// Lines logged before the log file is known (the single-instance check); a handful in practice.
constexpr int kEarlyLineLimit = 256;

std::mutex logMutex;
std::unique_ptr<LogRules> stderrRules;
std::unique_ptr<RotatingLogFile> logFile;
QByteArrayList earlyLines;
bool fileAttached = false;

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

void toStderr(const QByteArray& line) {
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
}

// Called with logMutex held.
void toFile(const QByteArray& line) {
    if (!logFile)
        return;
    const QString givenUp = logFile->append(line);
    if (!givenUp.isEmpty())
        toStderr(QStringLiteral("%1 zyne.log warning: %2\n")
                     .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs), givenUp)
                     .toUtf8());
}

void writeLogLine(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const QString category = QLatin1String(context.category ? context.category : "default");
    const QByteArray line = QStringLiteral("%1 %2 %3: %4\n")
                                .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs), category,
                                     QLatin1String(levelName(type)), message)
                                .toUtf8();
    std::lock_guard lock(logMutex);
    const bool serious = type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg;
    if (serious || (stderrRules && stderrRules->asksFor(category, type)))
        toStderr(line);
    if (fileAttached)
        toFile(line);
    else if (earlyLines.size() < kEarlyLineLimit)
        earlyLines.append(line);
}
} // namespace

void installLogHandler() {
    auto rules = std::make_unique<LogRules>(userLogRules());
    std::lock_guard lock(logMutex);
    stderrRules = std::move(rules);
    qInstallMessageHandler(writeLogLine);
}

void attachLogFile(const QString& path) {
    auto file = std::make_unique<RotatingLogFile>(path, kLogFileLimit);
    QString problem;
    const bool opened = file->open(&problem);
    std::lock_guard lock(logMutex);
    if (opened)
        logFile = std::move(file);
    else
        toStderr(QStringLiteral("can't open the log file %1: %2\n").arg(path, problem).toUtf8());
    fileAttached = true;
    for (const QByteArray& line : std::as_const(earlyLines))
        toFile(line);
    earlyLines.clear();
}

} // namespace zyne
