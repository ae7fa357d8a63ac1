// config/line_reader: whole text files read as bytes and split into lines.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace kalveo {

struct FileBytes {
    bool opened = false;   ///< the file could be opened
    bool complete = false; ///< it was read to its end
    int error = 0;         ///< the system's error number when it could not be opened or read
    std::string bytes;     ///< what was read, line ends included
};

/// The file's bytes as they are on disk.
[[nodiscard]] FileBytes read_whole_file(const std::filesystem::path& file);

/// Calls `take` for each line of `text` without its line end ("\n", "\r\n"); a last line
/// without a line end counts, an empty rest after the last line end does not.
void for_each_line(std::string_view text, const std::function<void(std::string_view)>& take);

/// The same, with each line's own line end ("", "\n" or "\r\n") handed over beside it.
void for_each_line_with_end(std::string_view text,
                            const std::function<void(std::string_view, std::string_view)>& take);

} // namespace kalveo
