#pragma once

#include <QString>

namespace zyne {

// The per-user autostart entry (XDG autostart: <config home>/autostart/vx-zyne-plus-rgb.desktop)
// that starts the program at log-in, in the tray: it passes --hidden. Entries of earlier releases
// mark the start through the environment instead; those keep working.
class AutoStart {
public:
    static constexpr const char* kHiddenOption = "--hidden";
    static constexpr const char* kStartedAtLoginVariable = "VX_ZYNE_STARTED_AT_LOGIN";

    // configHome empty: the user's ($XDG_CONFIG_HOME, else ~/.config).
    explicit AutoStart(QString executable, QString configHome = {});

    QString entryPath() const { return m_entryPath; }
    // An entry is there and starts a program of the executable's file name.
    bool isRegistered() const;
    // Writes the entry when it isn't there; false (logged) when it can't be written.
    bool registerEntry();
    bool unregisterEntry();

    // This process was started by an autostart entry of an earlier release.
    static bool startedAtLogin();

private:
    QString m_executable;
    QString m_entryPath;
};

// The value of a desktop entry's Exec key that runs this program in the tray, quoted as the format
// asks.
QString desktopExecValue(const QString& executable);

} // namespace zyne
