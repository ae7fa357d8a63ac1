// On Windows the windows become layered windows: an alpha for the whole window, or a colour
// key that lets the simulator show through the background.
#include "platform/window_style.h"

#include <windows.h>

namespace kalveo {

namespace {

constexpr int kOpaque = 255;
constexpr int kProgramIcon = 1023;

using Log = std::function<void(const std::string&)>;

std::string text(const char* prefix, const char* rest, long value) {
    return std::string(prefix) + rest + std::to_string(value);
}

void set_class_icon(HWND hwnd, const WindowStyleLabels& labels, const Log& log) {
    HICON icon = LoadIcon(GetModuleHandle(nullptr), MAKEINTRESOURCE(kProgramIcon));
    if (icon == nullptr) log(text("", "LoadIcon Error: ", static_cast<long>(GetLastError())));
    log(text("", "LoadIcon : ", icon != nullptr ? 1 : 0));
    const ULONG_PTR old = SetClassLongPtr(hwnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
    if (old == 0 && GetLastError() != 0)
        log(text(labels.icon_failure, " SetClassLong Error: ", static_cast<long>(GetLastError())));
    else
        log(text(labels.icon, " SetClassLong : ", 1));
}

void make_layered(HWND hwnd, const char* prefix, const Log& log) {
    const LONG_PTR style = GetWindowLongPtr(hwnd, GWL_EXSTYLE);
    SetLastError(0);
    const LONG_PTR old = SetWindowLongPtr(hwnd, GWL_EXSTYLE, style | WS_EX_LAYERED);
    const bool ok = old != 0 || GetLastError() == 0;
    log(ok ? text(prefix, " Layered : ", 1)
           : text(prefix, " Layered  Error: ", static_cast<long>(GetLastError())));
    const BOOL moved = SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                                    SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    log(moved ? text(prefix, " SetWindowPos (1) : ", 1)
              : text(prefix, " SetWindowPos Error: ", static_cast<long>(GetLastError())));
}

} // namespace

bool system_colour_key() {
    return true;
}

void style_native_window(SDL_Window* /*window*/, std::uintptr_t native, const WindowLook& look,
                         const WindowStyleLabels& labels, const Log& log) {
    HWND hwnd = reinterpret_cast<HWND>(native);
    if (hwnd == nullptr) return;
    set_class_icon(hwnd, labels, log);
    log(text(labels.prefix, " SetForegroundWindow ", SetForegroundWindow(hwnd) ? 1 : 0));
    if (look.layered) make_layered(hwnd, labels.prefix, log);
    if (look.alpha || look.colour_key) {
        const auto& key = look.colour_key.value_or(std::array<std::uint8_t, 3>{0, 0, 0});
        const DWORD flags = (look.alpha ? LWA_ALPHA : 0) | (look.colour_key ? LWA_COLORKEY : 0);
        const BOOL ok =
            SetLayeredWindowAttributes(hwnd, RGB(key[0], key[1], key[2]),
                                       static_cast<BYTE>(look.alpha.value_or(kOpaque)), flags);
        log(ok ? text(labels.prefix, " WinAtt : ", 1)
               : text(labels.prefix, " WinAtt Error: ", static_cast<long>(GetLastError())));
    }
    const BOOL top = SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    log(text(labels.prefix, " SetWindowPos (2): ", top ? 1 : 0));
}

} // namespace kalveo
