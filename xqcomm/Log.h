#pragma once

namespace xqcomm {

// One line on standard error, prefixed with the library's log category "zyne.xqcomm".
void logLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The same, only when XQCOMM_DEBUG is set to anything but "" or "0": for outcomes the caller
// already learns from the result (no such chip), which would otherwise fill stderr at every start.
void debugLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace xqcomm
