#include "shell/startup_text.h"

#include "platform/std_streams.h"

#include <cstdio>

namespace kalveo {

void startup_print(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void keep_terminal() {
    keep_terminal_output();
}

void print_on_terminal(const std::string& text) {
    terminal_line(text);
}

} // namespace kalveo
