// display/display_log: formatted log lines of the display code.
#pragma once

namespace kalveo {

/// Formats like printf (classic notation) and writes the line to the log.
void display_log(const char* format, ...) __attribute__((format(printf, 1, 2)));

/// Formats like printf and writes the text to standard output (the console trace).
void display_console(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace kalveo
