// platform/std_streams: the process's standard output and error, sent to files, and a copy of
// the terminal kept to speak to the person who started the program after that.
#pragma once

#include <filesystem>
#include <string_view>

namespace kalveo {

/// Opens the two files (created when missing, emptied) and makes them the process's standard
/// output and error. Returns true when both streams now go to the files; on failure says why
/// on standard error and leaves the streams as they were where it can.
bool redirect_standard_streams(const std::filesystem::path& out_file,
                               const std::filesystem::path& err_file);

/// Keeps a copy of the current standard output (the terminal, at start) for terminal_line;
/// a second call keeps the first copy.
void keep_terminal_output();

/// Writes `text` and a line end to the copy kept by keep_terminal_output, if any.
void terminal_line(std::string_view text);

} // namespace kalveo
