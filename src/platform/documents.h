// platform/documents: the desktop's own viewer for a document or a web address.
#pragma once

#include <string>
#include <vector>

namespace kalveo {

/// The argument vector that opens `target` (a file or an address) with the desktop's viewer.
/// `page` > 0 asks a PDF viewer that can be told so to open at that page.
[[nodiscard]] std::vector<std::string> document_viewer_command(const std::string& target,
                                                               int page = 0);

} // namespace kalveo
