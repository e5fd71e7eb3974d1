#include "LogFile.h"
#include "QuitOnSignal.h"
#include "SimEnvironment.h"
#include "SingleInstance.h"
#include "VxZyneRainbow.h"

#include "SettingsFolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>

#include <cstdio>

Q_LOGGING_CATEGORY(lcStart, "zyne.start")

int main(int argc, char* argv[]) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    zyne::installLogHandler();

    zyne::SingleInstance instance(zyne::VxZyneRainbow::kWindowTitle);
    qCDebug(lcStart) << "FindWindow:::::::Main";
    if (!instance.claim(0x8101, 1, 1)) {
        qCDebug(lcStart) << "Main---Findddddddddd";
        // Otherwise a user who started it sees nothing happen and can't tell why.
        std::fprintf(stderr, "%s\n",
                     qPrintable(QCoreApplication::translate(
                         "main", "VX Zyne Plus RGB is already running: its window was asked to show.")));
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
    qCDebug(lcStart) << "Main---Not Finddddddddddddddddddddd";
    QObject::connect(&instance, &zyne::SingleInstance::messageReceived, &mainWindow,
                     &zyne::VxZyneRainbow::receiveWindowMessage);
    zyne::QuitOnSignal quitOnSignal;
    qCDebug(lcStart) << "started in" << sinceStart.elapsed() << "ms";

    return app.exec();
}
