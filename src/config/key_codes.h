// config/key_codes: hotkey codes as the settings file writes them ("CTRL+SHFT+"O"", "SCN30").
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalveo {

// Modifier bits of a key code, which is modifiers x 10000 + key.
inline constexpr int kModCtrl = 1;
inline constexpr int kModShft = 2;
inline constexpr int kModAlt = 4;
inline constexpr int kModLong = 8;

/// The key code of a settings text: optional prefixes "LONG+", "CTRL+", "SHFT+", "ALT+"
/// (in this order), then a character in double quotes, "ASC" and a number, "SCN" and a
/// scan-code number (stored negated), or a plain number. Nothing when the text is none of
/// these or the code does not fit. Writes a console trace.
[[nodiscard]] std::optional<int> b2k(std::string_view text);

/// The settings text of a key code, which b2k reads back as the same code. Writes a
/// console trace.
[[nodiscard]] std::string k2b(int code);

} // namespace kalveo
