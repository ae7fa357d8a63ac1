#include "link/udp_module.h"

#include "report/log.h"

#include <cstdio>

namespace kalveo::udp_detail {

void print_line(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    if (line.empty() || line.back() != '\n') std::fputc('\n', stdout);
    std::fflush(stdout);
}

void report(const std::string& line) {
    print_line(line);
    log_verbatim(line);
}

} // namespace kalveo::udp_detail
