#include "CommandLine.h"
#include "DiagnoseReport.h"
#include "LogFile.h"
#include "QuitOnSignal.h"
#include "SimEnvironment.h"
#include "SingleInstance.h"
#include "VxZyneRainbow.h"

#include "SettingsFolder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>

#include <cstdio>

Q_LOGGING_CATEGORY(lcStart, "zyne.start")

namespace {
// --help, --version, --diagnose and a refused command line: no window, no instance check, no log
// file, so a running instance is left as it is.
int answerWithoutStarting(zyne::CommandLine& commandLine, const zyne::StartRequest& request, int argc,
                          char* argv[]) {
    QCoreApplication app(argc, argv);
    if (request.action == zyne::StartRequest::Action::Diagnose) {
        // Warnings reach stderr; no log file: that is the running instance's.
        zyne::installLogHandler();
        std::fputs(qPrintable(zyne::diagnoseReport()), stdout);
        return 0;
    }
    const QString text = commandLine.text(request);
    if (request.action == zyne::StartRequest::Action::Refuse) {
        std::fputs(qPrintable(text), stderr);
        return zyne::CommandLine::kUsageError;
    }
    std::fputs(qPrintable(text), stdout);
    return 0;
}
} // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QCoreApplication::setApplicationName(QStringLiteral("vx-zyne-plus-rgb"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZYNE_PROGRAM_VERSION));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    zyne::CommandLine commandLine;
    const zyne::StartRequest request = commandLine.parse(arguments);
    if (request.action != zyne::StartRequest::Action::Run)
        return answerWithoutStarting(commandLine, request, argc, argv);

    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    zyne::installLogHandler();

    zyne::SingleInstance instance(zyne::VxZyneRainbow::kWindowTitle);
    qCDebug(lcStart) << "FindWindow:::::::Main";
    if (!instance.claim(0x8101, 1, 1)) {
        qCDebug(lcStart) << "Main---Findddddddddd";
        // Otherwise a user who started it sees nothing happen and can't tell why.
        const QString said =
            instance.handedOver()
                ? QCoreApplication::translate(
                      "main", "VX Zyne Plus RGB is already running: its window was asked to show.")
                : QCoreApplication::translate("main",
                                              "VX Zyne Plus RGB is already running, but it did not answer: "
                                              "its window could not be shown.");
        std::fprintf(stderr, "%s\n", qPrintable(said));
        return 0;
    }

    zyne::attachLogFile(zyne::settingsFolder() + QStringLiteral("/ZynePlus.log"));
    QString error;
    if (!zyne::sim::installBackendFromEnvironment(&error, &app)) {
        qCCritical(lcStart).noquote() << error;
        return 2;
    }

    zyne::VxZyneRainbow mainWindow;
    mainWindow.show();
    mainWindow.setWindowTitle(zyne::VxZyneRainbow::kWindowTitle);
    mainWindow.applyStartVisibility(request.hidden);
    qCDebug(lcStart) << "Main---Not Finddddddddddddddddddddd";
    QObject::connect(&instance, &zyne::SingleInstance::messageReceived, &mainWindow,
                     &zyne::VxZyneRainbow::receiveWindowMessage);
    zyne::QuitOnSignal quitOnSignal;
    qCDebug(lcStart) << "started in" << sinceStart.elapsed() << "ms";

    return app.exec();
}
