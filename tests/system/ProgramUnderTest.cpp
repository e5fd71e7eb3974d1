#include "ProgramUnderTest.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>

const QString ProgramUnderTest::kRunningLogLine = QStringLiteral("started in");
const QString ProgramUnderTest::kBoxesFoundLogLine = QStringLiteral("start: boxes found");

namespace {
constexpr int kPollMs = 10;
constexpr int kDiagnosticLines = 40;

bool writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

struct ProgramUnderTest::Home {
    QTemporaryDir root{QDir::tempPath() + QStringLiteral("/zyne-system-XXXXXX")};
    int runs = 0;

    QString path(const char* relative) const {
        return root.path() + QLatin1Char('/') + QLatin1String(relative);
    }
    // A user name of its own keeps the single-instance socket apart from every other run.
    QString user() const { return QStringLiteral("zyne-test-") + QFileInfo(root.path()).fileName(); }
};

ProgramUnderTest::ProgramUnderTest() : ProgramUnderTest(std::make_shared<Home>()) {}

ProgramUnderTest::ProgramUnderTest(std::shared_ptr<Home> home) : m_home(std::move(home)) {
    m_runFolder = m_home->root.path() + QStringLiteral("/run-%1").arg(++m_home->runs);
    QDir().mkpath(m_runFolder);
    for (const char* folder : {"home/.config", "tmp", "runtime"})
        QDir().mkpath(m_home->path(folder));
    // Qt refuses a runtime folder that others can read.
    QFile::setPermissions(m_home->path("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    m_program = QStringLiteral(ZYNE_PROGRAM_PATH);
    m_process.setStandardOutputFile(m_runFolder + QStringLiteral("/stdout.log"));
    m_process.setStandardErrorFile(m_runFolder + QStringLiteral("/stderr.log"));
}

ProgramUnderTest::~ProgramUnderTest() {
    if (isRunning()) {
        m_process.kill();
        m_process.waitForFinished(kWaitMs);
    }
}

std::unique_ptr<ProgramUnderTest> ProgramUnderTest::sameUser() const {
    return std::unique_ptr<ProgramUnderTest>(new ProgramUnderTest(m_home));
}

void ProgramUnderTest::setRig(const QJsonObject& rig) {
    setRigText(QJsonDocument(rig).toJson());
}

void ProgramUnderTest::setRigText(const QByteArray& text) {
    m_rigPath = m_runFolder + QStringLiteral("/rig.json");
    writeFile(m_rigPath, text);
}

void ProgramUnderTest::setRigFile(const QString& path) {
    m_rigPath = path;
}

void ProgramUnderTest::setEnvironment(const QString& name, const QString& value) {
    m_extraEnvironment.insert(name, value);
}

quint16 ProgramUnderTest::mobilePort() const {
    static const QRegularExpression listening(QStringLiteral("Listening: true .* port (\\d+)"));
    for (const QString& line : logLines(QStringLiteral("Listening: true"))) {
        const QRegularExpressionMatch match = listening.match(line);
        if (match.hasMatch())
            return quint16(match.captured(1).toUInt());
    }
    return 0;
}

QString ProgramUnderTest::settingsFolder() const {
    return m_home->path("home/.config/Vx/RGBZynePlus");
}

bool ProgramUnderTest::writeSettingsFile(const QString& name, const QByteArray& content) const {
    return writeFile(settingsFolder() + QLatin1Char('/') + name, content);
}

QByteArray ProgramUnderTest::readSettingsFile(const QString& name) const {
    return readFile(settingsFolder() + QLatin1Char('/') + name);
}

int ProgramUnderTest::runBesideProgram(const QString& tool, const QStringList& arguments,
                                       int timeoutMs) const {
    QProcess process;
    process.setProcessEnvironment(environment());
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QFileInfo(m_program).absolutePath() + QLatin1Char('/') + tool, arguments);
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitCode();
}

ProgramUnderTest::Finished ProgramUnderTest::runOnce(const QStringList& arguments,
                                                     const QString& workingFolder, int timeoutMs) const {
    QProcess process;
    process.setProcessEnvironment(environment());
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    if (m_launcher.isEmpty())
        process.start(m_program, arguments);
    else
        process.start(m_launcher.first(), m_launcher.mid(1) + QStringList{m_program} + arguments);
    Finished finished;
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
    } else {
        finished.exitCode = process.exitCode();
    }
    finished.standardOutput = process.readAllStandardOutput();
    finished.standardError = process.readAllStandardError();
    return finished;
}

QString ProgramUnderTest::homeFolder() const {
    return m_home->path("home");
}

QString ProgramUnderTest::rootFolder() const {
    return m_home->root.path();
}

QProcessEnvironment ProgramUnderTest::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Whatever the caller's shell has set for the simulator must not leak into the run.
    for (const char* name : {"ZYNE_SIM_RIG", "ZYNE_SIM_TRACE", "ZYNE_SIM_CONTROL"})
        env.remove(QLatin1String(name));
    env.insert(QStringLiteral("HOME"), m_home->path("home"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home->path("home/.config"));
    env.insert(QStringLiteral("TMPDIR"), m_home->path("tmp"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home->path("runtime"));
    env.insert(QStringLiteral("USER"), m_home->user());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("QT_LOGGING_RULES"));
    if (!m_loggingRules.isEmpty())
        env.insert(QStringLiteral("QT_LOGGING_RULES"), m_loggingRules);
    env.insert(QStringLiteral("ZYNE_HID_BACKEND"), QStringLiteral("sim"));
    env.insert(QStringLiteral("ZYNE_SIM_TRACE"), tracePath());
    env.insert(QStringLiteral("ZYNE_SIM_CONTROL"), controlPath());
    if (!m_rigPath.isEmpty())
        env.insert(QStringLiteral("ZYNE_SIM_RIG"), m_rigPath);
    // Parallel runs must not meet on the app's port 5489.
    env.insert(QStringLiteral("ZYNE_MOBILE_PORT"), QStringLiteral("0"));
    env.insert(m_extraEnvironment);
    return env;
}

bool ProgramUnderTest::start() {
    m_process.setProcessEnvironment(environment());
    if (m_launcher.isEmpty())
        m_process.start(m_program, m_arguments);
    else
        m_process.start(m_launcher.first(), m_launcher.mid(1) + QStringList{m_program} + m_arguments);
    return m_process.waitForStarted(kWaitMs);
}

bool ProgramUnderTest::startAndWaitUntilRunning() {
    // The window is up before the boxes have answered their probes; running means both.
    return start() && waitForLog(kRunningLogLine) && waitForLog(kBoxesFoundLogLine);
}

bool ProgramUnderTest::isRunning() const {
    return m_process.state() != QProcess::NotRunning;
}

bool ProgramUnderTest::waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        // What an exited process wrote is all there will be.
        if (!isRunning() || deadline.hasExpired())
            return condition();
        QTest::qWait(kPollMs);
    }
    return true;
}

bool ProgramUnderTest::waitForLog(const QString& text, int timeoutMs) {
    return waitUntil([&] { return standardError().contains(text); }, timeoutMs);
}

QString ProgramUnderTest::standardError() const {
    return QString::fromUtf8(readFile(m_runFolder + QStringLiteral("/stderr.log")));
}

QStringList ProgramUnderTest::logLines(const QString& containing) const {
    return standardError().split(QLatin1Char('\n')).filter(containing);
}

QVector<SimTraceEvent> ProgramUnderTest::trace(QString* error) const {
    return parseSimTrace(readFile(tracePath()), error);
}

bool ProgramUnderTest::traceExists() const {
    return QFileInfo::exists(tracePath());
}

QString ProgramUnderTest::control(const QString& command, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The socket may appear a moment after the process starts.
    for (;;) {
        socket.connectToServer(controlPath());
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
            break;
        if (deadline.hasExpired() || !isRunning())
            return QString();
        QTest::qWait(kPollMs);
    }
    socket.write(command.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
        return QString();
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return QString();
    }
    return QString::fromUtf8(socket.readLine()).chopped(1);
}

bool ProgramUnderTest::stop(int signal) {
    if (!isRunning())
        return false;
    ::kill(static_cast<pid_t>(m_process.processId()), signal);
    return waitForExit() && exitedNormally() && exitCode() == 0;
}

bool ProgramUnderTest::waitForExit(int timeoutMs) {
    return !isRunning() || m_process.waitForFinished(timeoutMs);
}

bool ProgramUnderTest::exitedNormally() const {
    return !isRunning() && m_process.exitStatus() == QProcess::NormalExit;
}

int ProgramUnderTest::exitCode() const {
    return m_process.exitCode();
}

QString ProgramUnderTest::diagnostics() const {
    QString state;
    if (isRunning())
        state = QStringLiteral("still running");
    else if (m_process.error() == QProcess::FailedToStart)
        state = QStringLiteral("failed to start: ") + m_process.errorString();
    else if (m_process.exitStatus() == QProcess::CrashExit)
        state = QStringLiteral("crashed");
    else
        state = QStringLiteral("exited with code %1").arg(m_process.exitCode());
    QStringList lines = standardError().split(QLatin1Char('\n'));
    if (lines.size() > kDiagnosticLines)
        lines = lines.mid(lines.size() - kDiagnosticLines);
    return QStringLiteral("%1 (%2)\nlast lines of stderr:\n%3").arg(m_program, state, lines.join('\n'));
}
