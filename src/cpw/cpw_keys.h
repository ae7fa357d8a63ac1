// cpw/cpw_keys: SDL key symbols as the window callbacks receive them.
#pragma once

#include <cstdint>

namespace kalveo {

/// A key for the callbacks: a character for the keyboard callback, a CPW_KEY_* code for the
/// system keyboard callback, or nothing for keys the program has no use for.
struct CpwKey {
    enum Kind { None, Character, System } kind = None;
    int code = 0;
};

/// Translates an SDL key symbol and its modifier state (SDL_Keymod bits). Letters come in lower
/// case, in upper case with Shift or Caps Lock; Enter, Backspace and Tab come as their control
/// characters; Escape, arrows, function and modifier keys as system keys.
[[nodiscard]] CpwKey cpw_translate_key(std::int32_t sym, std::uint16_t mod);

} // namespace kalveo
