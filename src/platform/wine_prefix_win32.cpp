// The registry is the system's own: no prefix to choose.
#include "platform/wine_prefix.h"

namespace kalveo {

std::vector<std::string> settle_wine_prefix(std::string_view /*pinned*/) {
    return {};
}

std::vector<std::string> wine_prefix_help() {
    return {};
}

} // namespace kalveo
