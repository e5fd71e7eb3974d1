#pragma once

#include <QString>

namespace zyne {

// Takes every log line from now on. stderr gets warnings and above, and what the user's logging
// rules turn on; the lines before attachLogFile() are kept (a bounded number) for the file.
void installLogHandler();
// Appends every line, from the kept ones on, to this file; it rotates past 8 MB.
void attachLogFile(const QString& path);

} // namespace zyne
