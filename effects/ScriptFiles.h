#pragma once

#include "ScriptReader.h"

#include <QLoggingCategory>
#include <QString>
#include <QStringList>

#include <optional>

Q_DECLARE_LOGGING_CATEGORY(lcEffects)

namespace zyne {

// Script files are a few hundred frames; anything far larger is not one.
constexpr qint64 kScriptFileLimit = 16 * 1024 * 1024;

// Reads a script file; nothing when it is missing, unreadable or larger than the limit.
std::optional<ScriptText> readScriptFile(const QString& path);

// A name from outside (the mobile app) that can only name a file inside a scripts folder:
// letters, digits, blanks, "-" and "_", at most 64 characters, not only blanks.
bool isSafeScriptName(const QString& name);

// Where scripts are looked up by name, in order: the user's own folder under the XDG data home,
// then the Scripts folder beside the program.
QStringList scriptFolders();

// The first "<folder>/<name>.ini" that is a file; empty when none is, or the name is not safe
// (logged).
QString findScriptByName(const QString& name, const QStringList& folders = scriptFolders());

} // namespace zyne
