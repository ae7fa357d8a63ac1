// text/versions: numbered backups of the program's own files.
//
// Before a file of ours is replaced, the old one is kept beside it under the
// name with "_00000", "_00001", ... before its extension ("Settings\Kalveo.ini"
// becomes "Settings\Kalveo_00004.ini" when _00003 is the highest number there).
// Names are backslash names, relative to the working folder or "C:\..." paths.
#pragma once

#include <string>

namespace kalveo {

/// Highest version number a backup may carry.
inline constexpr int kLastVersion = 99998;

/// Replaces `fnam` by its next free versioned name: one more than the highest
/// number found beside it, skipping names already taken. Returns 1, or 0 after
/// a warning box when no number is left (then `fnam` is unchanged).
int get_new_vers(std::string& fnam);

/// Keeps the existing file `fnam` under its next versioned name, copying it
/// (`qcopy`) or renaming it, and logs what was done. `fnam` becomes the
/// versioned name. Returns 1 when the copy or rename succeeded, else 0 (no
/// number left, no such file, no rights).
int save_old_file(std::string& fnam, bool qcopy);

} // namespace kalveo
