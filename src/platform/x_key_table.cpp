#include "platform/x_key_table.h"

#include <array>

namespace kalveo {
namespace {

// X numbers a key as its Linux (evdev) code + 8.
constexpr int kEvdevOffset = 8;

// Linux numbers the keys of the main block and the numeric pad as their set-1 scan codes
// (1 Esc ... 88 F12); the virtual key of each, index = scan code, 0 none.
constexpr std::array<int, 89> kBasicVk = {
    0,   27,  49,  50,  51,  52,  53,  54,  55,
    56,  57,  48,  189, 187, 8,   9, // Esc 1..0 - = BS Tab
    81,  87,  69,  82,  84,  89,  85,  73,  79,
    80,  219, 221, 13,  162, 65,  83, // Q..P [ ] Enter LCtrl A S
    68,  70,  71,  72,  74,  75,  76,  186, 222,
    192, 160, 220, 90,  88,  67,  86, // D..L ; ' ` LShift \ Z X C V
    66,  78,  77,  188, 190, 191, 161, 106, 164,
    32,  20,  112, 113, 114, 115, 116, // B N M , . / RShift * LAlt Space Caps F1-F5
    117, 118, 119, 120, 121, 144, 145, 103, 104,
    105, 109, 100, 101, 102, 107, 97,            // F6-F10 NumLock Scroll KP7-9 - KP4-6 + KP1
    98,  99,  96,  110, 0,   0,   226, 122, 123, // KP2 KP3 KP0 KP. - - 102nd F11 F12
};

struct ExtendedKey {
    int evdev;
    PcKey key;
};

// Keys beyond the basic block: those sent with the E0 prefix, and Pause.
constexpr std::array<ExtendedKey, 19> kOther = {{
    {96, {13, 28, true}},   // keypad Enter
    {97, {163, 29, true}},  // right Ctrl
    {98, {111, 53, true}},  // keypad /
    {99, {44, 55, true}},   // Print Screen
    {100, {165, 56, true}}, // right Alt (AltGr)
    {102, {36, 71, true}},  // Home
    {103, {38, 72, true}},  // Up
    {104, {33, 73, true}},  // Page Up
    {105, {37, 75, true}},  // Left
    {106, {39, 77, true}},  // Right
    {107, {35, 79, true}},  // End
    {108, {40, 80, true}},  // Down
    {109, {34, 81, true}},  // Page Down
    {110, {45, 82, true}},  // Insert
    {111, {46, 83, true}},  // Delete
    {119, {19, 69, false}}, // Pause
    {125, {91, 91, true}},  // left Windows
    {126, {92, 92, true}},  // right Windows
    {127, {93, 93, true}},  // Menu
}};

} // namespace

std::optional<PcKey> pc_key_of_x_keycode(int keycode) {
    const int evdev = keycode - kEvdevOffset;
    if (evdev > 0 && evdev < static_cast<int>(kBasicVk.size())) {
        const int vk = kBasicVk[static_cast<std::size_t>(evdev)];
        // Num Lock shares its scan code with Pause and is told apart by the extended flag.
        if (vk != 0) return PcKey{vk, evdev, vk == 144};
    }
    for (const ExtendedKey& k : kOther)
        if (k.evdev == evdev) return k.key;
    return std::nullopt;
}

} // namespace kalveo
