// X key codes of a PC keyboard (as Xvfb and Xorg number them with the evdev rules) turned into
// the virtual keys and scan codes the hotkeys are written with.
#include "platform/x_key_table.h"

#include <gtest/gtest.h>
#include <vector>

namespace kalveo {
namespace {

TEST(XKeyTable, EveryKindOfKeyOfThePcKeyboard) {
    struct Case {
        const char* name;
        int x_keycode;
        int vk;
        int scancode;
        bool extended;
    };
    const std::vector<Case> cases = {
        {"A", 38, 65, 30, false},
        {"1", 10, 49, 2, false},
        {"0", 19, 48, 11, false},
        {"Escape", 9, 27, 1, false},
        {"F1", 67, 112, 59, false},
        {"F11", 95, 122, 87, false},
        {"F12", 96, 123, 88, false},
        {"Return", 36, 13, 28, false},
        {"KP_Enter", 104, 13, 28, true},
        {"Shift_L", 50, 160, 42, false},
        {"Shift_R", 62, 161, 54, false},
        {"Control_L", 37, 162, 29, false},
        {"Control_R", 105, 163, 29, true},
        {"Alt_L", 64, 164, 56, false},
        {"AltGr", 108, 165, 56, true},
        {"Super_L", 133, 91, 91, true},
        {"Super_R", 134, 92, 92, true},
        {"Menu", 135, 93, 93, true},
        {"Up", 111, 38, 72, true},
        {"Left", 113, 37, 75, true},
        {"Delete", 119, 46, 83, true},
        {"Insert", 118, 45, 82, true},
        {"Home", 110, 36, 71, true},
        {"Page_Down", 117, 34, 81, true},
        {"KP_1", 87, 97, 79, false},
        {"KP_Divide", 106, 111, 53, true},
        {"KP_Multiply", 63, 106, 55, false},
        {"Num_Lock", 77, 144, 69, true},
        {"Pause", 127, 19, 69, false},
        {"less (ISO key)", 94, 226, 86, false},
        {"space", 65, 32, 57, false},
        {"Print", 107, 44, 55, true},
    };
    for (const Case& c : cases) {
        const auto key = pc_key_of_x_keycode(c.x_keycode);
        ASSERT_TRUE(key.has_value()) << c.name;
        EXPECT_EQ(key->vk, c.vk) << c.name;
        EXPECT_EQ(key->scancode, c.scancode) << c.name;
        EXPECT_EQ(key->extended, c.extended) << c.name;
    }
}

TEST(XKeyTable, KeysOutsideThePcKeyboardAreUnknown) {
    for (const int keycode : {0, 8, 92, 121, 255, 1000, -5})
        EXPECT_FALSE(pc_key_of_x_keycode(keycode).has_value()) << keycode;
}

} // namespace
} // namespace kalveo
