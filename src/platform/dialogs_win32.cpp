#include "platform/dialogs_backend.h"

#include <windows.h>

namespace kalveo::dialogs {

namespace {

UINT button_style(Buttons buttons) {
    switch (buttons) {
    case Buttons::okcancel:
        return MB_OKCANCEL;
    case Buttons::yesno:
        return MB_YESNO;
    case Buttons::yesnocancel:
        return MB_YESNOCANCEL;
    case Buttons::ok:
        break;
    }
    return MB_OK;
}

UINT icon_style(Icon icon) {
    switch (icon) {
    case Icon::warning:
        return MB_ICONWARNING;
    case Icon::error:
        return MB_ICONERROR;
    case Icon::question:
        return MB_ICONQUESTION;
    case Icon::info:
        break;
    }
    return MB_ICONINFORMATION;
}

// Buttons are numbered left to right: yes/ok first, then no, then cancel.
UINT default_style(const BoxRequest& box) {
    if (box.default_answer == 1 || box.buttons == Buttons::ok) return MB_DEFBUTTON1;
    if (box.buttons == Buttons::yesnocancel)
        return box.default_answer == 2 ? MB_DEFBUTTON2 : MB_DEFBUTTON3;
    return MB_DEFBUTTON2;
}

} // namespace

int native_message_box(const BoxRequest& box) {
    const std::string title(box.title);
    const std::string message(box.message);
    const UINT style = button_style(box.buttons) | icon_style(box.icon) | default_style(box) |
                       MB_TOPMOST | MB_SETFOREGROUND;
    const int pressed = MessageBoxA(nullptr, message.c_str(), title.c_str(), style);
    switch (pressed) {
    case IDOK:
    case IDYES:
        return 1;
    case IDNO:
        return box.buttons == Buttons::yesnocancel ? 2 : 0;
    case 0:
        return console_message_box(box);
    default:
        return box.buttons == Buttons::ok ? 1 : 0;
    }
}

std::optional<std::string> native_input_box(const InputRequest& input) {
    return console_input_box(input);
}

} // namespace kalveo::dialogs
