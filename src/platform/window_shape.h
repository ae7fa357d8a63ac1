// platform/window_shape: cutting a window to a shape, so that what lies under the window
// shows outside it (the horizon's corners round the ball).
#pragma once

#include <string>
#include <vector>

struct SDL_Window;

namespace kalveo {

/// Pixels x0..x1-1 of row y (rows from the top) that stay part of the window.
struct WindowSpan {
    int y = 0;
    int x0 = 0;
    int x1 = 0;
    friend bool operator==(const WindowSpan&, const WindowSpan&) = default;
};

/// Cuts `window` to the union of `spans`. False when the desktop cannot shape windows, with
/// the reason in `why`.
bool shape_window(SDL_Window* window, const std::vector<WindowSpan>& spans, std::string& why);

} // namespace kalveo
