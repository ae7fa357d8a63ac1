// shell/startup_text: the start-up's console traces, and the terminal the usage goes to.
#pragma once

#include <string>

namespace kalveo {

/// printf-style text (numbers always in the "C" locale's form).
[[nodiscard]] std::string startup_text(const char* format, ...)
    __attribute__((format(printf, 1, 2)));

/// The text on standard output (a console trace of start-up).
void startup_print(const std::string& text);

/// Keeps a way to the terminal the program was started from, before standard output is sent
/// to a file; prints on it later (the usage must reach the person who asked for it).
void keep_terminal();
void print_on_terminal(const std::string& text);

} // namespace kalveo
