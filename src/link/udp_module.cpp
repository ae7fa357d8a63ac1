#include "link/udp_module.h"

#include "shell/log.h"

#include <cstdarg>
#include <cstdio>

namespace kalveo::udp_detail {

UdpModule& module() {
    static UdpModule state;
    return state;
}

std::string format_text(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

void print_line(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    if (line.empty() || line.back() != '\n') std::fputc('\n', stdout);
    std::fflush(stdout);
}

void report(const std::string& line) {
    print_line(line);
    // "/" breaks log lines; a quoted message stays whole.
    if (line.find('/') == std::string::npos)
        log_message(line);
    else
        log_message("\"" + line + "\"");
}

} // namespace kalveo::udp_detail
