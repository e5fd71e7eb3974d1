#pragma once

#include <QString>

namespace zyne {

// Sends every log line to stderr and appends it to the given file as well.
void installLogFile(const QString& path);

} // namespace zyne
