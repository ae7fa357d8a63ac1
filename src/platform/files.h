// platform/files: what differs between the systems in naming and opening files.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace kalveo {

/// Opens a file by its native path as std::fopen does (wide names on Windows, so that any
/// name the folder holds opens). Returns nullptr and leaves errno set on failure.
[[nodiscard]] std::FILE* open_file(const std::filesystem::path& file, const char* mode);

/// True when two file names name the same entry as the file system compares them (letter
/// case counts on Linux, not on Windows).
[[nodiscard]] bool same_file_name(std::string_view a, std::string_view b);

/// The line end of the text files the pilot edits ("\r\n" on Windows, "\n" elsewhere).
[[nodiscard]] std::string_view native_line_end();

/// True when a program path holds no folder, so the program was found through the search path.
[[nodiscard]] bool names_no_folder(std::string_view program);

} // namespace kalveo
