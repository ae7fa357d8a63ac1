// The native window behind an SDL window. Kept apart: SDL_syswm.h brings in the X11 and
// Windows headers with their macros.
#include "platform/window_style.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace kalveo {

std::uintptr_t native_window_handle(SDL_Window* window) {
    if (!window) return 0;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info)) return 0;
    switch (info.subsystem) {
#if defined(SDL_VIDEO_DRIVER_X11)
    case SDL_SYSWM_X11:
        return static_cast<std::uintptr_t>(info.info.x11.window);
#endif
#if defined(SDL_VIDEO_DRIVER_WINDOWS)
    case SDL_SYSWM_WINDOWS:
        return reinterpret_cast<std::uintptr_t>(info.info.win.window);
#endif
    default:
        return 0;
    }
}

} // namespace kalveo
