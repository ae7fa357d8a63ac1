#include "platform/env.h"
#include "platform/win_env.h"

namespace kalveo {

std::string wine_login_name() {
    return {};
}

std::optional<std::string> windows_env(std::string_view name) {
    if (name.empty()) return std::nullopt;
    auto value = get_env(name);
    if (!value || value->empty()) return std::nullopt;
    return value;
}

} // namespace kalveo
