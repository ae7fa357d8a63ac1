#include "platform/documents.h"

namespace kalveo {

std::vector<std::string> document_viewer_command(const std::string& target, int /*page*/) {
    return {"xdg-open", target};
}

} // namespace kalveo
