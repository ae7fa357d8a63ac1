#include "flight/report.h"

#include "report/log.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace kalveo {

void trace_line(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::putchar('\n');
}

int display_round(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::lround(std::clamp(value, -1e9, 1e9)));
}

} // namespace kalveo
