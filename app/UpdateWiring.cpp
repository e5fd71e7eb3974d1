#include "UpdateWiring.h"

#include "ApplicationSettings.h"
#include "AutoUpdate.h"
#include "SettingsFolder.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace zyne {

UpdateWiring::UpdateWiring(QObject* parent) : QObject(parent) {
    const ApplicationSettingsValues settings = ApplicationSettings::get();
    if (!settings.autoUpdate)
        return;
    update::AutoUpdate::Setup setup;
    setup.serverAddress = settings.updateServer;
    setup.updateFolder = settingsFolder();
    setup.programFolder = QCoreApplication::applicationDirPath();
    setup.elevator = QStandardPaths::findExecutable(QStringLiteral("pkexec"));
    setup.language = settings.language;
    m_checker = new update::AutoUpdate(std::move(setup), this);
    m_checker->setupVersion(QStringLiteral(ZYNE_PROGRAM_VERSION));
    m_checker->getVersion();
}

} // namespace zyne
