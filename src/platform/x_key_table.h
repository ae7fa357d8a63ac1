// platform/x_key_table: the PC keyboard as an X server numbers its keys (evdev key codes + 8),
// translated into Windows virtual-key codes and set-1 scan codes with the extended flag.
#pragma once

#include <optional>

namespace kalveo {

struct PcKey {
    int vk = 0;            ///< Windows virtual-key code (left/right modifiers told apart)
    int scancode = 0;      ///< set-1 scan code
    bool extended = false; ///< sent with the E0 prefix
};

/// The key of X key code `keycode`; nothing for a key outside the PC keyboard (media keys...).
/// The numeric pad gives its digit codes (NumLock on).
[[nodiscard]] std::optional<PcKey> pc_key_of_x_keycode(int keycode);

} // namespace kalveo
