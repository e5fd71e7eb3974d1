#pragma once

#include <QString>

namespace zyne {

// Path of one of the program's own files ("Images/logo.png", "Language/de.qm"). Its top folder is
// taken from beside the executable (a build-folder run) or, when it is not there, from the
// installed share/vx-zyne-plus-rgb beside the executable's bin/.
QString programDataPath(const QString& relative);

// The same, for an executable in the given folder.
QString programDataPath(const QString& executableFolder, const QString& relative);

} // namespace zyne
