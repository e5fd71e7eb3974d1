#include "AutoStart.h"

#include "SettingsFileRead.h"
#include "SettingsFileWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcAutoStart, "zyne.autorun")

namespace zyne {

namespace {
const QString kEntryName = QStringLiteral("vx-zyne-plus-rgb.desktop");
} // namespace

QString desktopExecValue(const QString& executable) {
    // Inside double quotes, the format wants ", `, $ and \ escaped; and a backslash in any value
    // is itself written twice.
    QString quoted;
    for (const QChar c : executable) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QStringLiteral("\"%1\" %2").arg(quoted, QLatin1String(AutoStart::kHiddenOption));
}

AutoStart::AutoStart(QString executable, QString configHome) : m_executable(std::move(executable)) {
    if (configHome.isEmpty())
        configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    m_entryPath = configHome + QStringLiteral("/autostart/") + kEntryName;
}

bool AutoStart::isRegistered() const {
    // Bounded and without blocking: an entry is a few lines of a regular file; anything else is not
    // ours.
    const QList<QByteArray> lines = readSettingsFile(m_entryPath, 64 * 1024).bytes.split('\n');
    for (const QByteArray& line : lines) {
        if (!line.startsWith("Exec="))
            continue;
        QByteArray exec = line.trimmed();
        // Entries of earlier releases start the program without the option, marked in the environment.
        const QByteArray option = QByteArray(" ") + kHiddenOption;
        if (exec.endsWith(option))
            exec.chop(option.size());
        const QByteArray program = QFile::encodeName(QFileInfo(m_executable).fileName());
        return exec.endsWith("/" + program + "\"") || exec.endsWith("/" + program) ||
               exec == "Exec=" + program;
    }
    return false;
}

bool AutoStart::registerEntry() {
    const bool registered = isRegistered();
    qCDebug(lcAutoStart) << "isRegist : " << registered;
    qCDebug(lcAutoStart) << "isAutoRunEXE:true";
    if (registered)
        return true;
    QDir().mkpath(QFileInfo(m_entryPath).absolutePath());
    const QByteArray entry = "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Zyne Plus RGB\n"
                             "Comment=Lighting and fan control for VX Zyne Plus RGB controllers\n"
                             "Icon=vx-zyne-plus-rgb\n"
                             "Terminal=false\n"
                             "X-GNOME-Autostart-enabled=true\n"
                             "Exec=" +
                             desktopExecValue(m_executable).toUtf8() + "\n";
    if (!replaceFileSafely(m_entryPath, entry)) {
        qCWarning(lcAutoStart) << "autorun entry" << m_entryPath << "can't be written";
        return false;
    }
    return true;
}

bool AutoStart::unregisterEntry() {
    if (!QFile::exists(m_entryPath))
        return true;
    if (!isRegistered()) {
        // Somebody else's entry under our name is left alone.
        qCWarning(lcAutoStart) << "autorun entry" << m_entryPath << "starts another program; left alone";
        return false;
    }
    return QFile::remove(m_entryPath);
}

bool AutoStart::startedAtLogin() {
    return qEnvironmentVariableIsSet(kStartedAtLoginVariable);
}

} // namespace zyne
