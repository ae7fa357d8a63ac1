// On Linux the styling goes through SDL. Opacity needs a compositing window manager to show;
// a colour made transparent (a colour key) has no SDL call, so the background stays painted.
#include "display/display_state.h"
#include "display/window_style.h"
#include "shell/log.h"

#include <SDL.h>

namespace kalveo {

namespace {

constexpr int kOpaque = 255;

// Returns 1 when the window took the opacity; logs the result either way.
int set_opacity(SDL_Window* window, int alpha, const char* label) {
    if (SDL_SetWindowOpacity(window, static_cast<float>(alpha) / kOpaque) == 0) {
        log_printf("%s WinAtt : %d", label, 1);
        return 1;
    }
    log_printf("%s WinAtt Error: %s", label, SDL_GetError());
    return 0;
}

void no_colour_key(const char* label) {
    log_printf("%s WinAtt : 0 (a transparent colour is not available here)", label);
}

void raise(SDL_Window* window, const char* label) {
    SDL_RaiseWindow(window);
    log_printf("%s SetForegroundWindow %d", label, 1);
}

} // namespace

void style_text_window(pCpw cpw) {
    const DisplayStateRecord& s = display_state;
    SDL_Window* window = cpw_sdl_window(cpw, static_cast<CpwWindowId>(s.DisWinInfo.id));
    if (window == nullptr) return;
    raise(window, "Txt");
    if (s.TxtOpa >= 1 && s.TxtOpa < kOpaque) set_opacity(window, s.TxtOpa, "Txt");
    if (s.TxtOpa == 0) no_colour_key("Txt");
    SDL_SetWindowAlwaysOnTop(window, SDL_TRUE);
    log_printf("Txt SetWindowPos (2): %d", 1);
}

void style_horizon_window(pCpw cpw) {
    const DisplayStateRecord& s = display_state;
    SDL_Window* window = cpw_sdl_window(cpw, static_cast<CpwWindowId>(s.HorWinInfo.id));
    if (window == nullptr) return;
    raise(window, "AH");
    if (s.HorTranslu != 0) set_opacity(window, s.HorOpac, "AH");
    if (s.HorBgdTransp != 0) no_colour_key("AH");
    SDL_SetWindowAlwaysOnTop(window, SDL_TRUE);
    log_printf("AH SetWindowPos (2): %d", 1);
}

} // namespace kalveo
