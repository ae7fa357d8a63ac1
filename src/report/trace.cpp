#include "report/trace.h"

#include <cstdarg>
#include <cstdio>

namespace kalveo {

void trace(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::vfprintf(stdout, format, args);
    va_end(args);
}

} // namespace kalveo
