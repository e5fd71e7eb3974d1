#pragma once

#include <QString>

namespace zyne::update {

// Starts the updater program installed beside the executable, with administrator rights through
// the elevation helper when there is one. Only that installed file is ever started.
class UpdaterHandOff {
public:
    enum class Result { Started, NotInstalled, StartFailed };

    // elevator: the full path of pkexec, or empty to start the updater as this user.
    UpdaterHandOff(QString programFolder, QString elevator);

    static QString updaterFileName();
    QString updaterPath() const;
    Result start(const QString& argument) const;

private:
    QString m_programFolder;
    QString m_elevator;
};

} // namespace zyne::update
