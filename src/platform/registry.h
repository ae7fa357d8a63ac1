// platform/registry: string values of the Windows registry, where the
// simulator keeps its installation folders and the user's Documents folder.
// On Linux the values come from the Wine prefix the simulator runs in
// (wine_prefix(), paths.h): its user.reg, and system.reg for classes.
#pragma once

#include <string>
#include <string_view>

namespace kalveo {

/// Status codes as the registry gives them.
inline constexpr int kRegistryOk = 0;
inline constexpr int kRegistryNotFound = 2;   ///< key or value missing
inline constexpr int kRegistryMoreData = 234; ///< value longer than the buffer

/// Longest value, in bytes, that a read hands back.
inline constexpr int kRegistryValueMax = 255;

/// Reads the value `name` of key `subkey` under the current user, or under the
/// classes root when `len` is below 0 on entry. On success `outval` gets the
/// value (REG_EXPAND_SZ text unexpanded) and `len` its length; on failure
/// `outval` is empty and `len` 0. Returns 0 on success, else the failing
/// step's status: a missing key and a missing value are both failures.
/// Each step is traced on standard output.
int RdUsrReg(std::string_view subkey, std::string_view name, std::string& outval, int& len);

} // namespace kalveo
