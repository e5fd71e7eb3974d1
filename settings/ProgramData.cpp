#include "ProgramData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zyne {

QString programDataPath(const QString& relative) {
    return programDataPath(QCoreApplication::applicationDirPath(), relative);
}

QString programDataPath(const QString& executableFolder, const QString& relative) {
    const QString beside = executableFolder + QLatin1Char('/');
    const QString topFolder = relative.section(QLatin1Char('/'), 0, 0);
    if (QFileInfo(beside + topFolder).isDir())
        return beside + relative;
    const QString installed = executableFolder + QStringLiteral("/../share/vx-zyne-plus-rgb/");
    if (QFileInfo(installed + topFolder).isDir())
        return QDir::cleanPath(installed + relative);
    // Neither has it: the place beside the executable, as on Windows.
    return beside + relative;
}

} // namespace zyne
