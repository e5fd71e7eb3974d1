#include "Log.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace xqcomm {

namespace {
void writeLine(const char* format, va_list args) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    std::fprintf(stderr, "zyne.xqcomm: %s\n", text);
}

bool debugWanted() {
    static const bool wanted = [] {
        const char* value = std::getenv("XQCOMM_DEBUG");
        return value && *value && std::strcmp(value, "0") != 0;
    }();
    return wanted;
}
} // namespace

void logLine(const char* format, ...) {
    va_list args;
    va_start(args, format);
    writeLine(format, args);
    va_end(args);
}

void debugLine(const char* format, ...) {
    if (!debugWanted())
        return;
    va_list args;
    va_start(args, format);
    writeLine(format, args);
    va_end(args);
}

} // namespace xqcomm
