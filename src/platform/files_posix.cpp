#include "platform/files.h"

namespace kalveo {

std::FILE* open_file(const std::filesystem::path& file, const char* mode) {
    return std::fopen(file.c_str(), mode);
}

bool same_file_name(std::string_view a, std::string_view b) {
    return a == b;
}

std::string_view native_line_end() {
    return "\n";
}

bool names_no_folder(std::string_view program) {
    // A Windows-style name ("C:\Kalveo\kalveo.exe") holds a folder too.
    return program.find_first_of(":\\/") == std::string_view::npos;
}

std::error_code rename_replacing(const std::filesystem::path& from,
                                 const std::filesystem::path& to) {
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    return ec;
}

std::error_code copy_file_replacing(const std::filesystem::path& from,
                                    const std::filesystem::path& to) {
    std::error_code ec;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, ec);
    return ec;
}

} // namespace kalveo
