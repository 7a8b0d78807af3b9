#include "cli/report.h"

#include <cstdarg>
#include <cstdio>

namespace {

std::string PrintfList(const char* format, va_list args) {
    va_list again;
    va_copy(again, args);
    const int size = std::vsnprintf(nullptr, 0, format, args);
    std::string text(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    // The string's own terminator takes the NUL that vsnprintf() writes.
    std::vsnprintf(text.data(), text.size() + 1, format, again);
    va_end(again);
    return text;
}

} // namespace

std::string CliPrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = PrintfList(format, args);
    va_end(args);
    return text;
}

int CliFail(int status, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string text = PrintfList(format, args);
    va_end(args);
    std::fprintf(stderr, "veldane-header: %s\n", text.c_str());
    return status;
}
