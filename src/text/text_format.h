// text/text_format: printf-style text for log lines and console traces.
#pragma once

#include <cstdarg>
#include <string>

namespace kalveo {

/// The text printf would print, of any length (numbers in the "C" locale).
[[nodiscard]] std::string format_text(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

/// format_text over an argument list (the list is left as it was given).
[[nodiscard]] std::string vformat_text(const char* format, va_list args);

} // namespace kalveo
