// platform/win_env: environment variables as the simulator's side of the
// system sees them. On Windows that is the process environment; under Wine
// the host environment comes first, then the defaults Wine gives a prefix
// (USERPROFILE is C:\users\<login>, or C:\users\steamuser in a prefix of Steam's
// Proton; APPDATA below it, ...).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalveo {

/// The variable's value, or nothing when it is unknown (or empty).
[[nodiscard]] std::optional<std::string> windows_env(std::string_view name);

/// Copies the variable into `value` and its length into `len`; returns the
/// length, 0 when the variable is missing (`value` then empty).
int MyGetEnv(std::string_view name, std::string& value, int& len);

/// The login name Wine uses for the prefix's user folder (USER, LOGNAME, or
/// the account's name). Empty on Windows.
[[nodiscard]] std::string wine_login_name();

} // namespace kalveo
