#include "LogFile.h"
#include "QuitOnSignal.h"
#include "SimEnvironment.h"
#include "SingleInstance.h"
#include "VxZyneRainbow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSettings>

Q_LOGGING_CATEGORY(lcStart, "zyne.start")

namespace {
// The folder that holds Device.ini, the profiles and the log file.
QString settingsFolder() {
    const QSettings locator(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Vx"),
                            QStringLiteral("application"));
    return QFileInfo(locator.fileName()).absolutePath() + QStringLiteral("/RGBZynePlus");
}
} // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    zyne::SingleInstance instance(zyne::VxZyneRainbow::kWindowTitle);
    qCDebug(lcStart) << "FindWindow:::::::Main";
    if (!instance.claim(0x8101, 1, 1)) {
        qCDebug(lcStart) << "Main---Findddddddddd";
        return 0;
    }

    zyne::installLogFile(settingsFolder() + QStringLiteral("/ZynePlus.log"));
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
