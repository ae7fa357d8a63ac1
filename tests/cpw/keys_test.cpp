// SDL keys as the window callbacks receive them.
#include "cpw/cpw.h"
#include "cpw/cpw_keys.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

void expect_key(CpwKey key, CpwKey::Kind kind, int code) {
    EXPECT_EQ(key.kind, kind);
    EXPECT_EQ(key.code, code);
}

TEST(Keys, LettersAreCharactersInTheCaseTyped) {
    expect_key(cpw_translate_key(SDLK_e, KMOD_NONE), CpwKey::Character, 'e');
    expect_key(cpw_translate_key(SDLK_e, KMOD_LSHIFT), CpwKey::Character, 'E');
    expect_key(cpw_translate_key(SDLK_e, KMOD_CAPS), CpwKey::Character, 'E');
    expect_key(cpw_translate_key(SDLK_e, KMOD_CAPS | KMOD_RSHIFT), CpwKey::Character, 'e');
    expect_key(cpw_translate_key(SDLK_7, KMOD_NONE), CpwKey::Character, '7');
    expect_key(cpw_translate_key(SDLK_KP_7, KMOD_NONE), CpwKey::Character, '7');
    expect_key(cpw_translate_key(SDLK_RETURN, KMOD_NONE), CpwKey::Character, 13);
}

TEST(Keys, EscapeArrowsAndShiftAreSystemKeysWithTheirCodes) {
    expect_key(cpw_translate_key(SDLK_ESCAPE, KMOD_NONE), CpwKey::System, 27);
    expect_key(cpw_translate_key(SDLK_LEFT, KMOD_NONE), CpwKey::System, 13);
    expect_key(cpw_translate_key(SDLK_UP, KMOD_NONE), CpwKey::System, 14);
    expect_key(cpw_translate_key(SDLK_RIGHT, KMOD_NONE), CpwKey::System, 15);
    expect_key(cpw_translate_key(SDLK_DOWN, KMOD_NONE), CpwKey::System, 16);
    expect_key(cpw_translate_key(SDLK_LSHIFT, KMOD_NONE), CpwKey::System, 24);
    expect_key(cpw_translate_key(SDLK_RSHIFT, KMOD_RSHIFT), CpwKey::System, 24);
    expect_key(cpw_translate_key(SDLK_F1, KMOD_NONE), CpwKey::System, CPW_KEY_F1);
    expect_key(cpw_translate_key(SDLK_F12, KMOD_NONE), CpwKey::System, CPW_KEY_F12);
}

TEST(Keys, KeysWithoutUseAreDropped) {
    EXPECT_EQ(cpw_translate_key(SDLK_PRINTSCREEN, KMOD_NONE).kind, CpwKey::None);
    EXPECT_EQ(cpw_translate_key(SDLK_VOLUMEUP, KMOD_NONE).kind, CpwKey::None);
}

} // namespace
} // namespace kalveo
