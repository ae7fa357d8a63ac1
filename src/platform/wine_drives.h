// platform/wine_drives: the drives of a given Wine prefix, and the prefix chosen at start-up,
// shared by the POSIX files of this folder (the Windows build has neither).
#pragma once

#include <filesystem>
#include <string_view>

namespace kalveo {

/// The host path of a Windows path ("C:\Condor3\Logs") inside `prefix`: a drive letter goes
/// where the prefix's dosdevices link points, C: to drive_c when there is no link.
[[nodiscard]] std::filesystem::path native_path_in(const std::filesystem::path& prefix,
                                                   std::string_view name);

/// The prefix settle_wine_prefix chose; empty before it ran.
[[nodiscard]] std::filesystem::path settled_wine_prefix();

} // namespace kalveo
