#include "UpdaterHandOff.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace zyne::update {

UpdaterHandOff::UpdaterHandOff(QString programFolder, QString elevator)
    : m_programFolder(std::move(programFolder)), m_elevator(std::move(elevator)) {}

QString UpdaterHandOff::updaterFileName() {
    return QStringLiteral("ZentravoltaUpdate");
}

QString UpdaterHandOff::updaterPath() const {
    return QDir(m_programFolder).absoluteFilePath(updaterFileName());
}

UpdaterHandOff::Result UpdaterHandOff::start(const QString& argument) const {
    const QString updater = updaterPath();
    const QFileInfo info(updater);
    if (!info.isFile() || !info.isExecutable())
        return Result::NotInstalled;
    // Detached: the updater replaces this program, so it must outlive it.
    const bool started = m_elevator.isEmpty() ? QProcess::startDetached(updater, {argument})
                                              : QProcess::startDetached(m_elevator, {updater, argument});
    return started ? Result::Started : Result::StartFailed;
}

} // namespace zyne::update
