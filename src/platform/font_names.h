// platform/font_names: Windows font file names and the faces that stand in for them elsewhere.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalveo {

/// The bare lower-case name of a font file: folder and extension (.ttf, .ttc, .otf) removed.
[[nodiscard]] std::string font_file_stem(std::string_view name);

/// A fontconfig pattern for a Windows core font stem ("arialbd" → "Arial:bold"); empty for
/// other names.
[[nodiscard]] std::string core_font_pattern(std::string_view stem);

/// Full names of the faces that may stand in for a Windows font stem where its file is
/// missing (a fresh Wine prefix has no Arial), best first: the metric-compatible face of a
/// core font, then a plain sans face of the same weight and slant.
[[nodiscard]] std::vector<std::string> stand_in_faces(std::string_view stem);

} // namespace kalveo
