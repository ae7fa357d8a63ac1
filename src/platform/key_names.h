// platform/key_names: readable names of keyboard keys, for the log.
#pragma once

#include <optional>
#include <string>

namespace kalveo {

/// Name of a set-1 scan code, 256 added for an extended key (right Ctrl,
/// arrows, numeric-pad Enter ...), as the keyboard labels it; nothing when
/// the system has no name for it. On Linux: the keys of a US keyboard.
[[nodiscard]] std::optional<std::string> scan_code_name(int scancode);

} // namespace kalveo
