// platform/host_fonts: the fonts installed on this system, asked for by Windows font file name.
#pragma once

#include <string>
#include <string_view>

namespace kalveo {

/// The file of an installed font asked for by its Windows file name (case, folder and ".ttf"
/// optional): the Windows core fonts map to their metric-compatible faces, other names are
/// looked up among the installed font files. Empty when there is no such font.
[[nodiscard]] std::string host_font_file(std::string_view name);

/// The system's main font folder (informational; lookups go through host_font_file).
[[nodiscard]] std::string host_font_folder();

} // namespace kalveo
