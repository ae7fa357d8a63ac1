// platform/window_style: how a window sits over the simulator's picture — raised, kept on
// top, see-through as asked — done the way the desktop can.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct SDL_Window;

namespace kalveo {

/// What the pilot asked of one window.
struct WindowLook {
    /// Windows only: the window becomes a layered window (needed for any transparency).
    bool layered = false;
    /// Opacity of the whole window, 0..255, when asked.
    std::optional<int> alpha;
    /// A colour (red, green, blue) made transparent, when asked.
    std::optional<std::array<std::uint8_t, 3>> colour_key;
};

/// The names a window's log lines carry ("Txt", or "Hor"/"hor"/"AH" for the horizon).
struct WindowStyleLabels {
    const char* icon;
    const char* icon_failure;
    const char* prefix;
};

/// True where the system makes a window's colour transparent by itself (a colour key);
/// elsewhere the window is cut to what is drawn (window_shape.h).
[[nodiscard]] bool system_colour_key();

/// The system's own handle of an SDL window (X11 window id, HWND), 0 when there is none.
[[nodiscard]] std::uintptr_t native_window_handle(SDL_Window* window);

/// Styles `window` (its native handle `native`) and writes a log line per step through `log`.
void style_native_window(SDL_Window* window, std::uintptr_t native, const WindowLook& look,
                         const WindowStyleLabels& labels,
                         const std::function<void(const std::string&)>& log);

} // namespace kalveo
