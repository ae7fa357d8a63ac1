// platform/files: what differs between the systems in naming and opening files.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace kalveo {

/// Opens a file by its native path as std::fopen does (wide names on Windows, so that any
/// name the folder holds opens). Returns nullptr and leaves errno set on failure.
[[nodiscard]] std::FILE* open_file(const std::filesystem::path& file, const char* mode);

/// True when two file names name the same entry as the file system compares them (letter
/// case counts on Linux, not on Windows).
[[nodiscard]] bool same_file_name(std::string_view a, std::string_view b);

/// The line end of the text files the pilot edits ("\r\n" on Windows, "\n" elsewhere).
[[nodiscard]] std::string_view native_line_end();

/// Renames `from` to `to`, replacing a file of that name in one step (a plain rename on
/// Windows fails when `to` exists). Returns the system's error, or none.
[[nodiscard]] std::error_code rename_replacing(const std::filesystem::path& from,
                                               const std::filesystem::path& to);

/// Copies `from` to `to`, replacing a file of that name (libstdc++'s copy_file with
/// overwrite_existing fails on Windows when `to` exists). Returns the system's error, or none.
[[nodiscard]] std::error_code copy_file_replacing(const std::filesystem::path& from,
                                                  const std::filesystem::path& to);

/// True when a program path holds no folder, so the program was found through the search path.
[[nodiscard]] bool names_no_folder(std::string_view program);

} // namespace kalveo
