// platform/env: the process environment.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalveo {

/// Value of an environment variable, or nothing when it is not set.
[[nodiscard]] std::optional<std::string> get_env(std::string_view name);

/// Sets an environment variable of this process (and of the programs it starts), or removes
/// it when `value` is empty.
void set_env(std::string_view name, const std::optional<std::string>& value);

} // namespace kalveo
