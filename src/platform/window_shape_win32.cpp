// On Windows a window region cuts the window.
#include "platform/window_shape.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <windows.h>

namespace kalveo {

bool shape_window(SDL_Window* window, const std::vector<WindowSpan>& spans, std::string& why) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) ||
        info.subsystem != SDL_SYSWM_WINDOWS) {
        why = "no native window";
        return false;
    }
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const WindowSpan& s : spans) {
        if (s.x1 <= s.x0) continue;
        HRGN row = CreateRectRgn(s.x0, s.y, s.x1, s.y + 1);
        CombineRgn(region, region, row, RGN_OR);
        DeleteObject(row);
    }
    // The system owns the region from here on.
    if (SetWindowRgn(info.info.win.window, region, TRUE) == 0) {
        DeleteObject(region);
        why = "SetWindowRgn failed: " + std::to_string(GetLastError());
        return false;
    }
    return true;
}

} // namespace kalveo
