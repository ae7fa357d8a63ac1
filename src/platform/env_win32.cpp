#include "platform/env.h"

#include <windows.h>

#include <cstdlib>

namespace kalveo {

std::optional<std::string> get_env(std::string_view name) {
    const std::string key(name);
    char buffer[32768];
    const DWORD n = GetEnvironmentVariableA(key.c_str(), buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) return std::nullopt;
    return std::string(buffer, n);
}

void set_env(std::string_view name, const std::optional<std::string>& value) {
    const std::string key(name);
    // Both the process's environment and the C runtime's copy that getenv reads.
    SetEnvironmentVariableA(key.c_str(), value ? value->c_str() : nullptr);
    _putenv_s(key.c_str(), value ? value->c_str() : "");
}

} // namespace kalveo
