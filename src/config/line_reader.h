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

/// Writes `bytes` to a temporary file beside `file`, waits until they are on the disk and
/// renames it into place, so that the file holds either its old or its whole new content,
/// never a part, even after a power cut. Returns an empty text, or the system's reason for
/// the failure.
[[nodiscard]] std::string replace_file(const std::filesystem::path& file, std::string_view bytes);

/// The steps of replace_file (and of the backup its callers make first), for the test seam.
enum class ReplaceStep { backup, open, write, close, sync, rename };

/// Test seam: when set, `fault` is asked before each step and a non-zero answer (an errno
/// value such as ENOSPC or EROFS) makes that step fail as the system would; a failed write
/// has written half of the bytes. An empty function (the default) injects nothing.
void set_replace_fault(std::function<int(ReplaceStep)> fault);

/// The fault the seam injects at `step`, 0 for none.
[[nodiscard]] int replace_fault(ReplaceStep step);

/// Calls `take` for each line of `text` without its line end ("\n", "\r\n"); a last line
/// without a line end counts, an empty rest after the last line end does not.
void for_each_line(std::string_view text, const std::function<void(std::string_view)>& take);

/// The same, with each line's own line end ("", "\n" or "\r\n") handed over beside it.
void for_each_line_with_end(std::string_view text,
                            const std::function<void(std::string_view, std::string_view)>& take);

} // namespace kalveo
