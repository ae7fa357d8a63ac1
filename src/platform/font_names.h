// platform/font_names: Windows font file names and the faces that stand in for them elsewhere.
#pragma once

#include <string>
#include <string_view>

namespace kalveo {

/// The bare lower-case name of a font file: folder and extension (.ttf, .ttc, .otf) removed.
[[nodiscard]] std::string font_file_stem(std::string_view name);

/// A fontconfig pattern for a Windows core font stem ("arialbd" → "Arial:bold"); empty for
/// other names.
[[nodiscard]] std::string core_font_pattern(std::string_view stem);

} // namespace kalveo
