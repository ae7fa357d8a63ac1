// display/manual: the pilot's manual (Manual\Manual_EN.pdf, Manual\Manual_FR.pdf), opened in
// the system's PDF viewer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalveo {

/// The manual of a language code: French for "FR", English for every other code.
[[nodiscard]] std::string manual_file(std::string_view lang);

/// The command that opens `file` (a native path): the words of KALVEO_PDF_VIEWER followed by
/// the file when that is set, else the system's opener. `section` (0 none) is handed to viewers
/// that can open a file at a page.
[[nodiscard]] std::vector<std::string> manual_command(const std::string& file, int section);

/// Opens the manual of `language` ("EN", "FR", ...) at `section` (0: at its start), without
/// waiting for the viewer. Returns true when the viewer was started.
bool display_manual(int section, std::string_view language);

} // namespace kalveo
