#include "platform/win_env.h"

namespace kalveo {

int MyGetEnv(std::string_view name, std::string& value, int& len) {
    value = windows_env(name).value_or(std::string());
    len = static_cast<int>(value.size());
    return len;
}

} // namespace kalveo
