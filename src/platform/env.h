// platform/env: the process environment.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalveo {

/// Value of an environment variable, or nothing when it is not set.
[[nodiscard]] std::optional<std::string> get_env(std::string_view name);

} // namespace kalveo
