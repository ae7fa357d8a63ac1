// On X11 the Shape extension cuts the window; other desktops (Wayland) cannot.
#include "platform/window_shape.h"

#include <SDL.h>
#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/extensions/shape.h>
#endif

#include <limits>

namespace kalveo {

bool shape_window(SDL_Window* window, const std::vector<WindowSpan>& spans, std::string& why) {
    if (window == nullptr) {
        why = "no window";
        return false;
    }
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info)) {
        why = SDL_GetError();
        return false;
    }
#if defined(SDL_VIDEO_DRIVER_X11)
    if (info.subsystem == SDL_SYSWM_X11) {
        Display* display = info.info.x11.display;
        int event_base = 0;
        int error_base = 0;
        if (!XShapeQueryExtension(display, &event_base, &error_base)) {
            why = "the X server has no Shape extension";
            return false;
        }
        std::vector<XRectangle> rects;
        constexpr int kShort = std::numeric_limits<short>::max();
        for (const WindowSpan& s : spans) {
            if (s.x1 <= s.x0 || s.y < 0 || s.y > kShort || s.x0 < 0 || s.x1 > kShort) continue;
            rects.push_back({static_cast<short>(s.x0), static_cast<short>(s.y),
                             static_cast<unsigned short>(s.x1 - s.x0), 1});
        }
        XShapeCombineRectangles(display, info.info.x11.window, ShapeBounding, 0, 0, rects.data(),
                                static_cast<int>(rects.size()), ShapeSet, Unsorted);
        // The parts the cut adds come exposed; the frame about to be shown covers them, and a
        // redraw for them would only cut the window again to the same pixels.
        XSync(display, False);
        XEvent exposed;
        while (XCheckTypedWindowEvent(display, info.info.x11.window, Expose, &exposed) != 0) {
        }
        return true;
    }
#endif
    why = "this desktop cannot shape windows";
    return false;
}

} // namespace kalveo
