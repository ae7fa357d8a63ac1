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

} // namespace kalveo
