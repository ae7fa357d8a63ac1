#include "platform/console.h"
#include "report/log.h"
#include "shell/console.h"

#include <cstdio>

namespace kalveo {

namespace {

void log_number(const char* format, int value) {
    char line[96];
    std::snprintf(line, sizeof line, format, value);
    log_message_f(line);
}

} // namespace

void HideConsole() {
    log_number("HideConsole Enter Error: %d", last_system_error());
    clear_system_error();
    const int processes = console_process_count();
    log_number("GetConsoleProcessList Error: %d", last_system_error());
    log_number("HideConsole: nb proc %d", processes);
    if (processes != 1) {
        log_message_f("I'm not the last one!");
        return;
    }
    const bool hidden = hide_console_window();
    const int error = last_system_error();
    log_number("GetConsoleWindow Error: %d", error);
    if (hidden) {
        char line[96];
        std::snprintf(line, sizeof line, "ShowWindow Error: %d %d", 1, error);
        log_message_f(line);
    }
}

} // namespace kalveo
