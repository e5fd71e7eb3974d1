#include "Log.h"

#include <cstdarg>
#include <cstdio>

namespace xqcomm {

void logLine(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    std::fprintf(stderr, "zyne.xqcomm: %s\n", text);
}

} // namespace xqcomm
