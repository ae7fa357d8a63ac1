// report/file_versions: numbered backups of the program's own files, with the warning box
// and the log line a pilot sees.
#pragma once

#include <string>

namespace kalveo {

/// Replaces `fnam` by its next free versioned name (see next_version_name). Returns 1, or 0
/// after a warning box when no number is left (then `fnam` is unchanged).
int get_new_vers(std::string& fnam);

/// Keeps the existing file `fnam` under its next versioned name, copying it
/// (`qcopy`) or renaming it, and logs what was done. `fnam` becomes the
/// versioned name. Returns 1 when the copy or rename succeeded, else 0 (no
/// number left, no such file, no rights).
int save_old_file(std::string& fnam, bool qcopy);

} // namespace kalveo
