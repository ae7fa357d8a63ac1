// platform/paths: turns the program's backslash file names into native paths.
//
// The program names its own files as on Windows ("Settings\Kalveo.ini",
// relative to the working folder) and keeps the simulator's paths as the
// simulator gives them ("C:\Condor3\Logs\Logfile.txt"). Every file access goes
// through native_path, which on Linux turns backslashes into slashes and maps a
// drive letter into the Wine prefix the simulator runs in.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kalveo {

/// Native path of a file name written with backslashes (or already native).
[[nodiscard]] std::filesystem::path native_path(std::string_view name);

/// The Wine prefix whose drives hold the simulator's files on Linux: WINEPREFIX, else the
/// one settle_wine_prefix chose (wine_prefix.h), else ~/.wine. Empty on Windows.
[[nodiscard]] std::filesystem::path wine_prefix();

/// True when the name starts with a drive letter and a colon ("C:\...").
[[nodiscard]] bool has_drive_letter(std::string_view name);

} // namespace kalveo
