// On Linux the styling goes through SDL. Opacity needs a compositing window manager to show;
// a colour made transparent (a colour key) has no SDL call: the display cuts the window to
// what it draws instead.
#include "platform/window_style.h"

#include <SDL.h>

namespace kalveo {

namespace {

constexpr int kOpaque = 255;

std::string prefixed(const char* prefix, const std::string& rest) {
    return std::string(prefix) + rest;
}

} // namespace

bool system_colour_key() {
    return false;
}

void style_native_window(SDL_Window* window, std::uintptr_t /*native*/, const WindowLook& look,
                         const WindowStyleLabels& labels,
                         const std::function<void(const std::string&)>& log) {
    if (window == nullptr) return;
    SDL_RaiseWindow(window);
    log(prefixed(labels.prefix, " SetForegroundWindow 1"));
    if (look.alpha) {
        if (SDL_SetWindowOpacity(window, static_cast<float>(*look.alpha) / kOpaque) == 0)
            log(prefixed(labels.prefix, " WinAtt : 1"));
        else
            log(prefixed(labels.prefix, std::string(" WinAtt Error: ") + SDL_GetError()));
    }
    if (look.colour_key)
        log(prefixed(labels.prefix, " WinAtt : 0 (no transparent colour: cut to what is drawn)"));
    SDL_SetWindowAlwaysOnTop(window, SDL_TRUE);
    log(prefixed(labels.prefix, " SetWindowPos (2): 1"));
}

} // namespace kalveo
