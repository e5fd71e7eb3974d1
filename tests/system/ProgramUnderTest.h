#pragma once

#include "SimTrace.h"

#include <QByteArray>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>
#include <functional>
#include <memory>

// Runs the real vx-zyne-plus-rgb against the simulated rig, the way a user would, in a throw-away
// home of its own.
//
// Each object is one process. Its home is a temporary folder holding HOME, XDG_CONFIG_HOME (so the
// settings folder is <home>/.config/Vx/RGBZynePlus), TMPDIR and XDG_RUNTIME_DIR, and a user name of
// its own, so runs never meet each other or the real user's settings or running instance.
// sameUser() gives a second process in the same home (the single-instance case).
//
// Typical use:
//     ProgramUnderTest program;
//     program.setRig(rigJson);                                  // optional: default rig otherwise
//     program.writeSettingsFile("Device.ini", "...");           // optional pre-filled settings
//     QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
//     QCOMPARE(program.control("unplug plus 0"), QString("ok"));
//     QVERIFY(program.waitUntil([&] { return !program.logLines("8101").isEmpty(); }));
//     const auto events = program.trace(&error);
//     QVERIFY2(program.stop(), qPrintable(program.diagnostics())); // SIGTERM, exit code 0
//
// Every wait is bounded (kWaitMs unless given) and ends early when the process exits.
// Assert on what the program did (trace, log, files), never on how long it took.
class ProgramUnderTest {
public:
    // Generous: the tests run under AddressSanitizer on a shared machine.
    static constexpr int kWaitMs = 30000;
    // The log line the program writes once its window, engine and tray are up.
    static const QString kRunningLogLine;
    static const QString kBoxesFoundLogLine;

    ProgramUnderTest();
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    // Another process of the same user and settings folder, with its own rig, trace and control files.
    std::unique_ptr<ProgramUnderTest> sameUser() const;

    // Before start(): what is plugged in. Without either call the program gets no rig file (the
    // simulator's default rig).
    void setRig(const QJsonObject& rig);
    void setRigText(const QByteArray& text);
    void setRigFile(const QString& path);
    // Before start(): QT_LOGGING_RULES ("zyne.*=true" unless set; empty: none, as for most users).
    void setLoggingRules(const QString& rules) { m_loggingRules = rules; }

    // Files in the settings folder (Device.ini, profiles, ZynePlus.log).
    QString settingsFolder() const;
    bool writeSettingsFile(const QString& name, const QByteArray& content) const;
    QByteArray readSettingsFile(const QString& name) const;

    // Before start(): another build of the program (an installed copy); tools run beside it.
    void setProgram(const QString& path) { m_program = path; }
    QString program() const { return m_program; }
    // Before start(): one more environment variable (e.g. ZYNE_PSU_APP_PORT).
    void setEnvironment(const QString& name, const QString& value);
    // The port the mobile app server listens on, from its "Listening:" log line; 0 when none.
    // Runs listen on a free port (ZYNE_MOBILE_PORT=0) unless told otherwise.
    quint16 mobilePort() const;

    QString rigPath() const { return m_rigPath; }
    QString tracePath() const { return m_runFolder + QStringLiteral("/trace.jsonl"); }
    QString controlPath() const { return m_runFolder + QStringLiteral("/control.sock"); }

    bool start();
    bool startAndWaitUntilRunning();
    bool isRunning() const;

    // Polls the condition until it holds, the wait ends or the process has exited.
    bool waitUntil(const std::function<bool()>& condition, int timeoutMs = kWaitMs);
    bool waitForLog(const QString& text, int timeoutMs = kWaitMs);

    // Everything the process wrote to stderr so far (every log line the logging rules turn on).
    QString standardError() const;
    QStringList logLines(const QString& containing) const;

    QVector<SimTraceEvent> trace(QString* error) const;
    bool traceExists() const;

    // One command on the simulator's control socket; the answer line, or "" when none came.
    QString control(const QString& command, int timeoutMs = kWaitMs);

    // Runs a tool installed beside the program (e.g. "vx-zyne-msg") as the same user, in the same
    // home; its exit code, or -1 when it did not end within the wait.
    int runBesideProgram(const QString& tool, const QStringList& arguments, int timeoutMs = kWaitMs) const;

    // Runs the program once more with these arguments, in this home, until it ends (e.g. --diagnose);
    // its exit code, or -1 when it did not end within the wait.
    struct Finished {
        int exitCode = -1;
        QByteArray standardOutput;
        QByteArray standardError;
    };
    Finished runOnce(const QStringList& arguments, const QString& workingFolder = {},
                     int timeoutMs = kWaitMs) const;

    // Before start(): the program's arguments and working folder.
    void setArguments(const QStringList& arguments) { m_arguments = arguments; }
    // Before start(): a command that runs the program (e.g. runuser ... --), with the arguments
    // that come before the program's path.
    void setLauncher(const QStringList& launcher) { m_launcher = launcher; }
    void setWorkingFolder(const QString& folder) { m_process.setWorkingDirectory(folder); }
    QString homeFolder() const;
    // The temporary folder that holds the home and every run's files.
    QString rootFolder() const;

    // Sends the signal and waits for the exit; true when the program ended normally with code 0.
    bool stop(int signal = SIGTERM);
    bool waitForExit(int timeoutMs = kWaitMs);
    bool exitedNormally() const;
    int exitCode() const;

    // Exit state and the tail of stderr, for failure messages.
    QString diagnostics() const;

private:
    struct Home;
    explicit ProgramUnderTest(std::shared_ptr<Home> home);

    QProcessEnvironment environment() const;

    std::shared_ptr<Home> m_home;
    QString m_runFolder;
    QString m_rigPath;
    QString m_loggingRules = QStringLiteral("zyne.*=true");
    QProcessEnvironment m_extraEnvironment;
    QString m_program;
    QStringList m_arguments;
    QStringList m_launcher;
    QProcess m_process;
};
