#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace zyne {

// What the command line asks of this start.
struct StartRequest {
    enum class Action { Run, ShowHelp, ShowVersion, Diagnose, Refuse };
    Action action = Action::Run;
    // Start in the tray (the autostart entry passes it).
    bool hidden = false;
};

// The program's command line: --help, --version, --hidden and --diagnose. Parsed before any
// window exists, so --help, --version and --diagnose work without a display.
class CommandLine {
public:
    // Exit code of a command line the program can't follow (the usual code for usage errors).
    static constexpr int kUsageError = 2;

    CommandLine();
    // arguments[0] is the program.
    StartRequest parse(const QStringList& arguments);
    // What to print for the request (the help, the version, or the error followed by the usage).
    // Needs the application object: the usage line names the program by its file.
    QString text(const StartRequest& request) const;

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QCommandLineOption m_hidden;
    QCommandLineOption m_diagnose;
    QString m_error;
};

} // namespace zyne
