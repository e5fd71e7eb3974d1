#pragma once

#include "IniDocument.h"

#include <QString>

#include <functional>
#include <optional>

namespace zyne {

// Reads a settings file; nothing when it does not exist or can't be read (not a regular file, no
// permission, far larger than any settings file: logged once), so callers use their defaults.
std::optional<IniDocument> readIniFile(const QString& path);

// Applies edit to the file's current content and replaces the file with the result in one step
// (see SettingsFileWrite.h): a crash, power cut or full disk leaves either the old or the new
// file, never a part. A file that exists but can't be read is never written over. Writers of the
// same file take turns through its lock, waiting a bounded time. False when nothing was written.
bool updateIniFile(const QString& path, const std::function<void(IniDocument&)>& edit);

} // namespace zyne
