// platform/file_replace: replacing a file so that it holds either its old or its whole new
// content, never a part, even after a power cut.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

namespace kalveo {

/// Writes `bytes` to a temporary file beside `file`, waits until they are on the disk and
/// renames it into place. Returns an empty text, or the system's reason for the failure; on
/// failure `file` is as it was and no temporary file is left.
[[nodiscard]] std::string replace_file(const std::filesystem::path& file, std::string_view bytes);

/// The second half of replace_file, for a new file written by someone else (a download):
/// waits until `temporary`'s bytes are on the disk, then renames it over `file`. On failure
/// `temporary` is removed and `file` is as it was.
[[nodiscard]] std::error_code move_into_place(const std::filesystem::path& temporary,
                                              const std::filesystem::path& file);

/// The steps of replacing a file (and of the backup its callers make first), for the test seam.
enum class ReplaceStep { backup, open, write, close, sync, rename };

/// Test seam: when set, `fault` is asked before each step and a non-zero answer (an errno
/// value such as ENOSPC or EROFS) makes that step fail as the system would; a failed write
/// has written half of the bytes. An empty function (the default) injects nothing.
void set_replace_fault(std::function<int(ReplaceStep)> fault);

/// The fault the seam injects at `step`, 0 for none.
[[nodiscard]] int replace_fault(ReplaceStep step);

} // namespace kalveo
