#include "display/display_log.h"

#include "shell/log.h"

#include <cstdarg>
#include <cstdio>

namespace kalveo {

void display_log(const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    log_message_f(text);
}

void display_console(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fflush(stdout);
}

} // namespace kalveo
