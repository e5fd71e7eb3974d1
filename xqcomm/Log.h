#pragma once

namespace xqcomm {

// One line on standard error, prefixed with the library's log category "zyne.xqcomm".
void logLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace xqcomm
