// display/display_log: console trace lines of the display code.
#pragma once

namespace kalveo {

/// Formats like printf and writes the text to standard output (the console trace).
void display_console(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace kalveo
