// shell/console: the console of the program: standard output and error sent
// to StdOut.log and StdErr.log beside the program, and hiding the console
// window when the program owns it alone.
#pragma once

#include <string_view>

namespace kalveo {

/// What start_redirect returns when a file cannot be opened or made a
/// standard stream.
inline constexpr int kRedirectFailed = 255;

/// Sends standard output and standard error to "StdOut.log" and
/// "StdErr.log" in the program's folder, keeping the previous run's files
/// as ".bak". On failure shows an error box and stops the program.
void begin_redirect();

/// The same in another folder (a name ending in a separator, or not).
void begin_redirect_in(std::string_view folder);

/// Renames a file to its name plus ".bak", replacing an older backup; a
/// failure is logged and the file left in place.
void backup_file(std::string_view fnam);

/// Opens the two files (created when missing, emptied) and makes them the
/// process's standard output and error. Returns 0, or kRedirectFailed.
int start_redirect(const char* outfile, const char* errfile);

/// Hides the console window when no other process shares it; logs what it
/// finds ("I'm not the last one!" when the console is shared).
void HideConsole();

} // namespace kalveo
