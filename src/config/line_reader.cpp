#include "config/line_reader.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

namespace kalveo {

namespace {

int system_error_number() {
    return errno != 0 ? errno : EIO;
}

} // namespace

FileBytes read_whole_file(const std::filesystem::path& file) {
    FileBytes result;
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        result.error = system_error_number();
        return result;
    }
    result.opened = true;
    result.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    result.complete = !in.bad();
    if (!result.complete) result.error = system_error_number();
    return result;
}

void for_each_line_with_end(std::string_view text,
                            const std::function<void(std::string_view, std::string_view)>& take) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t newline = text.find('\n', start);
        if (newline == std::string_view::npos) {
            take(text.substr(start), {});
            return;
        }
        std::size_t end = newline;
        if (end > start && text[end - 1] == '\r') --end;
        take(text.substr(start, end - start), text.substr(end, newline + 1 - end));
        start = newline + 1;
    }
}

void for_each_line(std::string_view text, const std::function<void(std::string_view)>& take) {
    for_each_line_with_end(text, [&take](std::string_view line, std::string_view) { take(line); });
}

} // namespace kalveo
