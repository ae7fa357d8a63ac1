#include "platform/key_names.h"

#include <array>
#include <string_view>

namespace kalveo {
namespace {

// Names of the 89 basic scan codes of a US keyboard, index = scan code.
constexpr std::array<std::string_view, 89> kBasic = {
    "",      "Esc",   "1",         "2",       "3",       "4",     "5",           "6",
    "7",     "8",     "9",         "0",       "-",       "=",     "Backspace",   "Tab",
    "Q",     "W",     "E",         "R",       "T",       "Y",     "U",           "I",
    "O",     "P",     "[",         "]",       "Enter",   "Ctrl",  "A",           "S",
    "D",     "F",     "G",         "H",       "J",       "K",     "L",           ";",
    "'",     "`",     "Shift",     "\\",      "Z",       "X",     "C",           "V",
    "B",     "N",     "M",         ",",       ".",       "/",     "Right Shift", "Num *",
    "Alt",   "Space", "Caps Lock", "F1",      "F2",      "F3",    "F4",          "F5",
    "F6",    "F7",    "F8",        "F9",      "F10",     "Pause", "Scroll Lock", "Num 7",
    "Num 8", "Num 9", "Num -",     "Num 4",   "Num 5",   "Num 6", "Num +",       "Num 1",
    "Num 2", "Num 3", "Num 0",     "Num Del", "Sys Req", "",      "\\",          "F11",
    "F12",
};

struct Extended {
    int scancode;
    std::string_view name;
};

constexpr std::array<Extended, 19> kExtended = {{
    {28, "Num Enter"},    {29, "Right Ctrl"},    {53, "Num /"},       {55, "Prnt Scrn"},
    {56, "Right Alt"},    {69, "Num Lock"},      {71, "Home"},        {72, "Up"},
    {73, "Page Up"},      {75, "Left"},          {77, "Right"},       {79, "End"},
    {80, "Down"},         {81, "Page Down"},     {82, "Insert"},      {83, "Delete"},
    {91, "Left Windows"}, {92, "Right Windows"}, {93, "Application"},
}};

} // namespace

std::optional<std::string> scan_code_name(int scancode) {
    if (scancode >= 0 && scancode < static_cast<int>(kBasic.size())) {
        const auto name = kBasic[static_cast<std::size_t>(scancode)];
        if (name.empty()) return std::nullopt;
        return std::string(name);
    }
    for (const auto& e : kExtended)
        if (scancode == e.scancode + 256) return std::string(e.name);
    return std::nullopt;
}

} // namespace kalveo
