#include "text/text_format.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace kalveo {

std::string vformat_text(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (needed > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(needed) + 1);
        va_list again;
        va_copy(again, args);
        std::vsnprintf(buffer.data(), buffer.size(), format, again);
        va_end(again);
        text.assign(buffer.data(), static_cast<std::size_t>(needed));
    }
    return text;
}

std::string format_text(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = vformat_text(format, args);
    va_end(args);
    return text;
}

} // namespace kalveo
