// platform/key_event: one key going down or up, as the global keyboard watch reports it on
// every system: the Windows virtual-key code, the set-1 scan code with its extended flag, and
// when it happened.
#pragma once

#include <cstdint>

namespace kalveo {

/// Flag bits of a key event as the hook procedure reads them.
inline constexpr int kKeyFlagExtended = 0x01;
inline constexpr int kKeyFlagAltDown = 0x20;
inline constexpr int kKeyFlagUp = 0x80;

struct KeyEvent {
    /// Windows virtual-key code (65 "A", 160/161 left/right Shift, 165 AltGr ...).
    int vk = 0;
    /// Set-1 scan code without the extended prefix (30 "A", 28 Enter and keypad Enter).
    int scancode = 0;
    /// The key sends the extended prefix (right Ctrl, AltGr, arrows, keypad Enter ...).
    bool extended = false;
    /// Pressed (auto-repeat comes as further presses) or released.
    bool down = true;
    /// An Alt key is held (Windows reports it with every event).
    bool alt_down = false;
    /// Milliseconds of a steadily counting clock; only differences count.
    std::uint32_t time_ms = 0;

    [[nodiscard]] int flags() const {
        return (extended ? kKeyFlagExtended : 0) | (alt_down ? kKeyFlagAltDown : 0) |
               (down ? 0 : kKeyFlagUp);
    }
};

} // namespace kalveo
