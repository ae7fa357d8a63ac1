// platform/wine_registry: the text registry files of a Wine prefix (user.reg,
// system.reg), read as plain data so that the registry service can answer
// from them on systems where the simulator runs under Wine.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kalveo {

/// Value types as the registry numbers them.
inline constexpr int kRegSz = 1;
inline constexpr int kRegExpandSz = 2;
inline constexpr int kRegBinary = 3;
inline constexpr int kRegDword = 4;
inline constexpr int kRegMultiSz = 7;

/// One registry value: its type and its bytes (strings without their NUL).
struct RegistryValue {
    int type = kRegSz;
    std::string data;
};

/// The keys of one registry file. Key paths and value names are compared
/// without case, as Windows compares them; "" names a key's default value.
class WineRegistry {
  public:
    /// Parses the text of a registry file. Lines it does not understand are
    /// skipped, so any bytes give a (possibly empty) registry.
    static WineRegistry parse(std::string_view text);

    /// True when the key exists (with or without values).
    [[nodiscard]] bool has_key(std::string_view key) const;

    /// The value, or nothing when the key or the value is missing.
    [[nodiscard]] std::optional<RegistryValue> find(std::string_view key,
                                                    std::string_view name) const;

  private:
    std::map<std::string, std::map<std::string, RegistryValue>> keys_;
};

/// Key path in the form used for lookups: lower case, single backslashes, no
/// leading or trailing backslash ("SOFTWARE\Condor3\" -> "software\condor3").
[[nodiscard]] std::string normalise_registry_key(std::string_view key);

} // namespace kalveo
