#pragma once

#include <QString>

namespace zyne {

// A folder only this user can reach, for sockets and lock files: $XDG_RUNTIME_DIR when it is the
// user's own and closed to others, else <temp>/vx-zyne-plus-rgb-<uid>, made 0700. Empty (and
// *problem says why) when neither can be had safely.
QString privateRuntimeFolder(QString* problem);

// Whether path is a directory (not a link) owned by this user that nobody else may enter.
bool isPrivateFolder(const QString& path, QString* problem);

} // namespace zyne
