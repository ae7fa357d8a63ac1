#include "platform/documents.h"

namespace kalveo {

std::vector<std::string> document_viewer_command(const std::string& target, int /*page*/) {
    return {"xdg-open", target};
}

// The desktop's choice for the file's type, which for text is its editor.
std::string desktop_text_editor() {
    return "xdg-open";
}

} // namespace kalveo
