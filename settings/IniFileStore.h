#pragma once

#include "IniDocument.h"

#include <QString>

#include <functional>
#include <optional>

namespace zyne {

// Reads a settings file; nothing when it does not exist. A file that cannot be read, or one far
// larger than any settings file, reads as an empty document (logged).
std::optional<IniDocument> readIniFile(const QString& path);

// Applies edit to the file's current content and replaces the file with the result in one step:
// the new text goes to a temporary file that is checked, flushed to disk and renamed over the old
// one, so a crash, power cut or full disk leaves either the old or the new file, never a part.
// Writers of the same file (other threads, other processes) take turns through "<path>.lock", the
// lock file the Qt settings store uses, waiting a bounded time. False when nothing was written.
bool updateIniFile(const QString& path, const std::function<void(IniDocument&)>& edit);

} // namespace zyne
