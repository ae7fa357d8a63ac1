#include "display/display_log.h"

#include <cstdarg>
#include <cstdio>

namespace kalveo {

void display_console(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fflush(stdout);
}

} // namespace kalveo
