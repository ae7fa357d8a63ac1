#include "platform/files.h"

#include <windows.h>

#include <cctype>
#include <string>

namespace kalveo {

std::FILE* open_file(const std::filesystem::path& file, const char* mode) {
    const std::string narrow(mode);
    const std::wstring wide(narrow.begin(), narrow.end());
    return _wfopen(file.c_str(), wide.c_str());
}

bool same_file_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string_view native_line_end() {
    return "\r\n";
}

bool names_no_folder(std::string_view program) {
    return program.find_first_of(":\\") == std::string_view::npos;
}

std::error_code rename_replacing(const std::filesystem::path& from,
                                 const std::filesystem::path& to) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return {static_cast<int>(GetLastError()), std::system_category()};
}

std::error_code copy_file_replacing(const std::filesystem::path& from,
                                    const std::filesystem::path& to) {
    if (CopyFileW(from.c_str(), to.c_str(), FALSE)) return {};
    return {static_cast<int>(GetLastError()), std::system_category()};
}

} // namespace kalveo
