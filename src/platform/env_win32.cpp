#include "platform/env.h"

#include <windows.h>

namespace kalveo {

std::optional<std::string> get_env(std::string_view name) {
    const std::string key(name);
    char buffer[32768];
    const DWORD n = GetEnvironmentVariableA(key.c_str(), buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) return std::nullopt;
    return std::string(buffer, n);
}

} // namespace kalveo
