#include "cpw/cpw_keys.h"

#include "cpw/cpw.h"

#include <SDL.h>

namespace kalveo {

namespace {

CpwKey system_key(int code) {
    return {CpwKey::System, code};
}

CpwKey character(int code) {
    return {CpwKey::Character, code};
}

CpwKey keypad_key(std::int32_t sym) {
    if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) return character('1' + (sym - SDLK_KP_1));
    switch (sym) {
    case SDLK_KP_0:
        return character('0');
    case SDLK_KP_ENTER:
        return character('\r');
    case SDLK_KP_PERIOD:
        return character('.');
    case SDLK_KP_PLUS:
        return character('+');
    case SDLK_KP_MINUS:
        return character('-');
    case SDLK_KP_MULTIPLY:
        return character('*');
    case SDLK_KP_DIVIDE:
        return character('/');
    default:
        return {};
    }
}

CpwKey named_key(std::int32_t sym) {
    if (sym >= SDLK_F1 && sym <= SDLK_F12) return system_key(CPW_KEY_F1 + (sym - SDLK_F1));
    switch (sym) {
    case SDLK_ESCAPE:
        return system_key(CPW_KEY_ESCAPE);
    case SDLK_LEFT:
        return system_key(CPW_KEY_LEFT);
    case SDLK_UP:
        return system_key(CPW_KEY_UP);
    case SDLK_RIGHT:
        return system_key(CPW_KEY_RIGHT);
    case SDLK_DOWN:
        return system_key(CPW_KEY_DOWN);
    case SDLK_PAGEUP:
        return system_key(CPW_KEY_PAGEUP);
    case SDLK_PAGEDOWN:
        return system_key(CPW_KEY_PAGEDOWN);
    case SDLK_HOME:
        return system_key(CPW_KEY_HOME);
    case SDLK_END:
        return system_key(CPW_KEY_END);
    case SDLK_INSERT:
        return system_key(CPW_KEY_INSERT);
    case SDLK_DELETE:
        return system_key(CPW_KEY_DELETE);
    case SDLK_CAPSLOCK:
        return system_key(CPW_KEY_CAPSLOCK);
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return system_key(CPW_KEY_SHIFT);
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return system_key(CPW_KEY_CONTROL);
    case SDLK_LALT:
    case SDLK_RALT:
        return system_key(CPW_KEY_ALT);
    case SDLK_RETURN:
        return character('\r');
    case SDLK_BACKSPACE:
        return character('\b');
    case SDLK_TAB:
        return character('\t');
    default:
        return keypad_key(sym);
    }
}

} // namespace

CpwKey cpw_translate_key(std::int32_t sym, std::uint16_t mod) {
    if (sym >= 'a' && sym <= 'z') {
        const bool shifted = (mod & KMOD_SHIFT) != 0;
        const bool caps = (mod & KMOD_CAPS) != 0;
        return character(shifted != caps ? sym - 'a' + 'A' : sym);
    }
    if (sym >= ' ' && sym < 127) return character(sym);
    return named_key(sym);
}

} // namespace kalveo
