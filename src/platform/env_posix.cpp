#include "platform/env.h"

#include <cstdlib>

namespace kalveo {

std::optional<std::string> get_env(std::string_view name) {
    const std::string key(name);
    const char* value = std::getenv(key.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

void set_env(std::string_view name, const std::optional<std::string>& value) {
    const std::string key(name);
    if (value)
        setenv(key.c_str(), value->c_str(), 1);
    else
        unsetenv(key.c_str());
}

} // namespace kalveo
