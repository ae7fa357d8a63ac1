// On Windows the windows become layered windows: an alpha for the whole window, or a colour
// key that lets the simulator show through the background.
#include "display/display_state.h"
#include "display/window_style.h"
#include "shell/log.h"

#include <windows.h>

namespace kalveo {

namespace {

constexpr int kOpaque = 255;
constexpr int kProgramIcon = 1023;

COLORREF colour_ref(const Rgb8& colour) {
    return RGB(colour[0], colour[1], colour[2]);
}

// `label` and `failure` name the window as its log lines do ("Txt", "Hor" / "hor").
void set_class_icon(HWND hwnd, const char* label, const char* failure) {
    HICON icon = LoadIcon(GetModuleHandle(nullptr), MAKEINTRESOURCE(kProgramIcon));
    if (icon == nullptr) log_printf("LoadIcon Error: %ld", static_cast<long>(GetLastError()));
    log_printf("LoadIcon : %d", icon != nullptr ? 1 : 0);
    const ULONG_PTR old = SetClassLongPtr(hwnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
    if (old == 0 && GetLastError() != 0)
        log_printf("%s SetClassLong Error: %ld", failure, static_cast<long>(GetLastError()));
    else
        log_printf("%s SetClassLong : %d", label, 1);
}

void make_layered(HWND hwnd, const char* prefix) {
    const LONG_PTR style = GetWindowLongPtr(hwnd, GWL_EXSTYLE);
    SetLastError(0);
    const LONG_PTR old = SetWindowLongPtr(hwnd, GWL_EXSTYLE, style | WS_EX_LAYERED);
    const bool ok = old != 0 || GetLastError() == 0;
    log_printf(ok ? "%s Layered : %d" : "%s Layered  Error: %d", prefix,
               ok ? 1 : static_cast<int>(GetLastError()));
    const BOOL moved = SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                                    SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    log_printf(moved ? "%s SetWindowPos (1) : %d" : "%s SetWindowPos Error: %d", prefix,
               moved ? 1 : static_cast<int>(GetLastError()));
}

void set_attributes(HWND hwnd, const char* prefix, COLORREF key, BYTE alpha, DWORD flags) {
    const BOOL ok = SetLayeredWindowAttributes(hwnd, key, alpha, flags);
    log_printf(ok ? "%s WinAtt : %d" : "%s WinAtt Error: %d", prefix,
               ok ? 1 : static_cast<int>(GetLastError()));
}

void keep_on_top(HWND hwnd, const char* prefix) {
    const BOOL ok = SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    log_printf("%s SetWindowPos (2): %d", prefix, ok ? 1 : 0);
}

} // namespace

void style_text_window(pCpw /*cpw*/) {
    const DisplayStateRecord& s = display_state;
    HWND hwnd = reinterpret_cast<HWND>(txt_hwnd);
    if (hwnd == nullptr) return;
    set_class_icon(hwnd, "Txt", "Txt");
    log_printf("Txt SetForegroundWindow %d", SetForegroundWindow(hwnd) ? 1 : 0);
    if (s.TxtOpa != kOpaque) make_layered(hwnd, "Txt");
    if (s.TxtOpa >= 1 && s.TxtOpa < kOpaque)
        set_attributes(hwnd, "Txt", 0, static_cast<BYTE>(s.TxtOpa), LWA_ALPHA);
    if (s.TxtOpa == 0) set_attributes(hwnd, "Txt", colour_ref(s.TxtBgd), kOpaque, LWA_COLORKEY);
    keep_on_top(hwnd, "Txt");
}

void style_horizon_window(pCpw /*cpw*/) {
    const DisplayStateRecord& s = display_state;
    HWND hwnd = reinterpret_cast<HWND>(hor_hwnd);
    if (hwnd == nullptr) return;
    set_class_icon(hwnd, "Hor", "hor");
    log_printf("AH SetForegroundWindow %d", SetForegroundWindow(hwnd) ? 1 : 0);
    if (s.HorTranslu != 0 || s.HorBgdTransp != 0) make_layered(hwnd, "AH");
    if (s.HorTranslu != 0) {
        const DWORD flags = LWA_ALPHA | (s.HorBgdTransp != 0 ? LWA_COLORKEY : 0);
        set_attributes(hwnd, "AH", colour_ref(s.HorBgd), static_cast<BYTE>(s.HorOpac), flags);
    } else if (s.HorBgdTransp != 0) {
        set_attributes(hwnd, "AH", colour_ref(s.HorBgd), kOpaque, LWA_COLORKEY);
    }
    keep_on_top(hwnd, "AH");
}

} // namespace kalveo
